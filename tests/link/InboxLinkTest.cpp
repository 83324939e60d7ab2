// The window's link reading and deleting stored messages, and taking a new
// one as it arrives, against velmora-phonesim in the fast dialogue.

#include "LinkFactory.h"
#include "LogObserver.h"
#include "MessageStore.h"
#include "PhoneLink.h"
#include "Transports.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmora::testing {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "link_inbox_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// From +628569999999 and from 0812345678 ("Hello"), one sent to
// +628569999999, and the one that arrives later ("Hi").
const std::string kDeliver = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
const std::string kNational = "00040A81802143658700006221801200008205C8329BFD06";
const std::string kSubmit = "0001000C91265896999999000005C8329BFD06";
const std::string kArrival = "0791261895000000040C9126589699999900006221801200008202C834";

bool WaitFor(QSignalSpy& spy, int count = 1) {
    for (int i = 0; i < 200 && spy.count() < count; ++i)
        spy.wait(50);
    return spy.count() >= count;
}

TEST(InboxLink, readsTheStoresDeletesWhatItReadAndTakesANewMessage) {
    App();
    const std::string dir = TempDir("inbox-link");
    std::ofstream(dir + "/inbox.txt") << "# two received, one sent\n"
                                      << kDeliver << "\n"
                                      << kSubmit << "\n"
                                      << kNational << "\n";
    // Long enough for the connect, the read and the first delete to be over.
    SimPhone sim({"--inbox", dir + "/inbox.txt", "--deliver-after", "3000", kArrival});
    DeviceOptions options;
    options.anyPort = sim.device();
    const AppPaths paths = AppPathsIn(dir);
    const auto link = MakePhoneLink(Settings{}, options, std::make_unique<RealClock>(0.1));
    // The window's message center over the link: it keeps and logs what is read.
    auto store = MessageStore::Open(QString::fromStdString(paths.messageStore));
    ASSERT_TRUE(store) << store.error();
    LinkTransport transport(*link);
    MessageService service(store.value().get(), transport);
    transport.connectService();
    LogObserver logs(service, paths);
    link->setDialogue(true);
    QSignalSpy states(link.get(), &PhoneLink::stateChanged);
    QSignalSpy inbox(link.get(), &PhoneLink::inboxFinished);
    QSignalSpy deleted(link.get(), &PhoneLink::deleteFinished);
    QSignalSpy arrived(link.get(), &PhoneLink::messageArrived);
    link->connectPhone(1, 19200);
    link->readInbox();
    ASSERT_TRUE(WaitFor(inbox));
    EXPECT_TRUE(inbox[0][0].toBool());
    const auto messages = inbox[0][1].value<QList<StoredMessage>>();
    EXPECT_EQ(messages,
              (QList<StoredMessage>{{"SM", 1, 0, kDeliver}, {"SM", 2, 3, kSubmit}, {"SM", 3, 0, kNational}}));
    EXPECT_FALSE(inbox[0][2].toBool());
    EXPECT_TRUE(states.contains(QVariantList{QVariant::fromValue(PhoneLink::State::ReadingInbox)}));

    ASSERT_FALSE(messages.isEmpty());
    link->deleteStored(messages[0]);
    ASSERT_TRUE(WaitFor(deleted));
    EXPECT_EQ(deleted[0], (QVariantList{true, QString()}));

    // The new message takes the place the deleted one left.
    ASSERT_TRUE(WaitFor(arrived));
    EXPECT_EQ(arrived[0][0].value<StoredMessage>(), (StoredMessage{"SM", 1, 0, kArrival}));
    link->deleteStored(messages[0]);
    ASSERT_TRUE(WaitFor(deleted, 2));
    EXPECT_EQ(deleted[1], (QVariantList{false, QString("The SIM message 1 has changed since it was read; "
                                                       "nothing was deleted")}));

    // Each once, after its time stamp.
    const std::vector<std::string> entries{"+628569999999 " + kDeliver, "+628569999999 " + kSubmit,
                                           "0812345678 " + kNational, "+628569999999 " + kArrival};
    const std::vector<std::string> lines = ReadLines(paths.receivedLog);
    ASSERT_EQ(lines.size(), entries.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string end = " " + entries[i] + "\r";
        EXPECT_EQ(lines[i].substr(lines[i].size() - std::min(lines[i].size(), end.size())), end);
    }
    // And each kept once, the new one beside the rest.
    EXPECT_EQ(store.value()->Count({}), 4);
    EXPECT_TRUE(link->shutDown(5000));
    std::filesystem::remove_all(dir);
}

// A Huawei-like modem: its store numbered from 0, ^RSSI glued into the
// list, reads that leave the status empty, and a phone store it will not
// open. Every message is read, the store named, and the new message that
// takes place 0 is read as well.
TEST(InboxLink, readsAStoreFromIndexZeroAndNamesTheStoreItCouldNotOpen) {
    App();
    const std::string dir = TempDir("inbox-link-zero");
    std::ofstream(dir + "/inbox.txt") << kDeliver << "\n" << kSubmit << "\n";
    SimPhone sim({"--inbox", dir + "/inbox.txt", "--first-index", "0", "--list-urc", "glued", "--read-shape",
                  "empty-stat", "--refuse-store", "ME", "--deliver-after", "3000", kArrival});
    DeviceOptions options;
    options.anyPort = sim.device();
    const auto link = MakePhoneLink(Settings{}, options, std::make_unique<RealClock>(0.1));
    link->setDialogue(true);
    QSignalSpy inbox(link.get(), &PhoneLink::inboxFinished);
    QSignalSpy deleted(link.get(), &PhoneLink::deleteFinished);
    QSignalSpy arrived(link.get(), &PhoneLink::messageArrived);
    link->connectPhone(1, 19200);
    link->readInbox();
    ASSERT_TRUE(WaitFor(inbox));
    const auto messages = inbox[0][1].value<QList<StoredMessage>>();
    EXPECT_EQ(messages, (QList<StoredMessage>{{"SM", 0, 0, kDeliver}, {"SM", 1, 3, kSubmit}}));
    EXPECT_EQ(inbox[0][3].toStringList(), QStringList{"the phone store (ME) could not be read: ERROR"});
    ASSERT_FALSE(messages.isEmpty());
    link->deleteStored(messages[0]);
    ASSERT_TRUE(WaitFor(deleted));
    EXPECT_EQ(deleted[0], (QVariantList{true, QString()}));
    ASSERT_TRUE(WaitFor(arrived));
    EXPECT_EQ(arrived[0][0].value<StoredMessage>(), (StoredMessage{"SM", 0, 0, kArrival}));
    EXPECT_TRUE(link->shutDown(5000));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace velmora::testing
