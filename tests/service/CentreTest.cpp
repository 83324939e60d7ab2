// The message centre with several modems, each a velmora-phonesim of its
// own, on one store: a batch spread over them with no message sent twice
// (the PDUs each simulated phone took, counted from its --record file),
// what it reads from each phone, and a stop in the middle of a send.

#include "EventLoop.h"
#include "MessageCentre.h"
#include "MessageStore.h"
#include "PhoneLink.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace velmora::testing {
namespace {

QCoreApplication& App() { return TestApp("service_centre_tests"); }

// The PDUs a simulated phone took, one a line of its --record file.
std::vector<std::string> Recorded(const std::string& file) {
    std::vector<std::string> pdus;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            pdus.push_back(line);
    return pdus;
}

// One simulated modem and what it records.
struct Modem {
    Modem(const std::string& dir, const std::string& name, std::vector<std::string> args)
        : record(dir + "/" + name + ".pdus"), sim(With(std::move(args), record)) {
        config.name = QString::fromStdString(name);
        config.device = QString::fromStdString(sim.device());
    }
    static std::vector<std::string> With(std::vector<std::string> args, const std::string& record) {
        args.insert(args.end(), {"--record", record});
        return args;
    }
    std::string record;
    SimPhone sim;
    ModemConfig config;
};

class Centre : public ::testing::Test {
protected:
    Centre() : dir(TempDir("centre")) {
        App();
        Open("messages");
    }
    // A centre (again) on a store of its own, `name`.sqlite.
    void Open(const std::string& name) {
        centre.reset();
        CentreSetup setup;
        setup.paths.transmitLog = dir + "/Tr_smsn.Txt";
        setup.paths.failedLog = dir + "/Fl_smsn.Txt";
        // A log of its own too: a new store takes in what the log holds.
        setup.paths.receivedLog = dir + "/" + name + ".Received.Txt";
        setup.paths.messageStore = dir + "/" + name + ".sqlite";
        centre = std::make_unique<MessageCentre>(std::move(setup));
        centre->open();
    }
    ~Centre() override {
        centre.reset();
        std::filesystem::remove_all(dir);
    }

    ModemChannel& Add(const Modem& modem) {
        ModemChannel* channel = centre->addModem(modem.config);
        EXPECT_NE(channel, nullptr);
        return *channel;
    }
    static bool Up(const ModemChannel& channel) {
        return Until([&] { return channel.link()->isUp(); });
    }

    // A batch of `count` texts, each to its own number.
    qint64 Queue(ModemChannel& through, int count) {
        BatchRequest request;
        for (int n = 0; n < count; ++n) {
            BatchRecipient r;
            r.request.destination = "62812000" + std::to_string(1000 + n);
            r.request.text = u"Rapat jam 7";
            request.recipients.push_back(r);
        }
        const auto queued = through.outbox().queue(request);
        EXPECT_TRUE(queued) << queued.error().why.toStdString();
        centre->poke();
        return queued ? queued->batch : 0;
    }
    std::vector<MessageRecord> Batch(qint64 batch) {
        HistoryQuery q;
        q.batch = batch;
        return centre->store()->Messages(q);
    }
    int InState(qint64 batch, msg::State state) {
        int n = 0;
        for (const MessageRecord& m : Batch(batch))
            n += m.state == state ? 1 : 0;
        return n;
    }

    std::string dir;
    std::unique_ptr<MessageCentre> centre;
};

TEST_F(Centre, TwoModemsShareABatchAndNoMessageGoesTwice) {
    Modem a(dir, "office", {"--network-delay", "300"});
    Modem b(dir, "warehouse", {"--network-delay", "300"});
    ModemChannel& first = Add(a);
    Add(b);
    EXPECT_EQ(centre->addModem(a.config), nullptr) << "a name is taken once";
    ASSERT_TRUE(Up(first));
    ASSERT_TRUE(Up(*centre->channel("warehouse")));
    const int count = 12;
    const qint64 batch = Queue(first, count);
    ASSERT_TRUE(Until([&] { return InState(batch, msg::State::Sent) == count; }))
        << InState(batch, msg::State::Sent);

    const auto fromA = Recorded(a.record), fromB = Recorded(b.record);
    // Both modems worked on it, and together they sent each message once.
    EXPECT_GT(fromA.size(), 0u);
    EXPECT_GT(fromB.size(), 0u);
    EXPECT_EQ(fromA.size() + fromB.size(), static_cast<std::size_t>(count));
    std::set<std::string> all(fromA.begin(), fromA.end());
    all.insert(fromB.begin(), fromB.end());
    EXPECT_EQ(all.size(), static_cast<std::size_t>(count));
    // The store says which modem took each, as the phones saw it.
    std::map<QString, std::size_t> byName, byDevice;
    for (const MessageRecord& m : Batch(batch)) {
        ++byName[m.modem];
        ++byDevice[m.modemDevice];
    }
    EXPECT_EQ(byName["office"], fromA.size());
    EXPECT_EQ(byName["warehouse"], fromB.size());
    EXPECT_EQ(byDevice[a.config.device], fromA.size());
    EXPECT_EQ(byDevice[b.config.device], fromB.size());
}

// A message that names its modem goes through that one only, even while
// the other is free; one that names none goes through whichever is.
TEST_F(Centre, AMessageNamingItsModemGoesOnlyThere) {
    Modem a(dir, "office", {});
    Modem b(dir, "warehouse", {});
    ModemChannel& office = Add(a);
    ModemChannel& warehouse = Add(b);
    ASSERT_TRUE(Up(office));
    ASSERT_TRUE(Up(warehouse));
    const struct Row {
        const char* want;
        std::size_t toOffice, toWarehouse; // more PDUs recorded by each
    } rows[] = {
        {"warehouse", 0, 3},
        {"office", 3, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.want);
        const std::size_t officeBefore = Recorded(a.record).size();
        const std::size_t warehouseBefore = Recorded(b.record).size();
        std::vector<qint64> ids;
        for (int n = 0; n < 3; ++n) {
            MessageRequest text;
            text.destination = "62812555" + std::to_string(1000 + n);
            text.text = u"Stok habis";
            // Queued through the office's outbox whatever it names.
            const auto queued = office.outbox().queueOne(text, QString::fromUtf8(row.want));
            ASSERT_TRUE(queued) << queued.error().why.toStdString();
            ids.push_back(queued.value());
        }
        centre->poke();
        ASSERT_TRUE(Until([&] {
            return std::all_of(ids.begin(), ids.end(), [&](qint64 id) {
                const auto m = centre->store()->Message(id);
                return m && m->state == msg::State::Sent;
            });
        }));
        EXPECT_EQ(Recorded(a.record).size() - officeBefore, row.toOffice);
        EXPECT_EQ(Recorded(b.record).size() - warehouseBefore, row.toWarehouse);
        for (const qint64 id : ids)
            EXPECT_EQ(centre->store()->Message(id)->modem, QString::fromUtf8(row.want));
    }
}

// Interval= is each modem's own: the office's messages go two seconds
// apart while the warehouse, unpaced, sends its own meanwhile.
TEST_F(Centre, EachModemKeepsItsOwnPace) {
    Modem a(dir, "office", {}), b(dir, "warehouse", {});
    a.config.intervalMs = 2000;
    ModemChannel& office = Add(a);
    ModemChannel& warehouse = Add(b);
    ASSERT_TRUE(Up(office));
    ASSERT_TRUE(Up(warehouse));
    std::map<QString, std::vector<qint64>> ids;
    for (const char* want : {"office", "warehouse"})
        for (int n = 0; n < 3; ++n) {
            MessageRequest text;
            text.destination = "62812777" + std::to_string(1000 + n);
            text.text = u"Jadwal piket";
            const auto queued = office.outbox().queueOne(text, QString::fromUtf8(want));
            ASSERT_TRUE(queued) << queued.error().why.toStdString();
            ids[QString::fromUtf8(want)].push_back(queued.value());
        }
    centre->poke();
    const auto sentAt = [&](const QString& modem) {
        std::vector<QDateTime> at;
        for (const qint64 id : ids[modem])
            if (const auto m = centre->store()->Message(id); m && m->state == msg::State::Sent)
                at.push_back(m->sent);
        std::sort(at.begin(), at.end());
        return at;
    };
    ASSERT_TRUE(Until([&] { return sentAt("office").size() == 3 && sentAt("warehouse").size() == 3; }));
    const auto paced = sentAt("office"), free = sentAt("warehouse");
    EXPECT_GE(paced[0].msecsTo(paced[1]), 1800);
    EXPECT_GE(paced[1].msecsTo(paced[2]), 1800);
    EXPECT_LT(free[2], paced[1]) << "the warehouse did not wait for the office's pace";
}

// The store's modems table says who each modem is and how it stands.
TEST_F(Centre, EachModemIsInTheStoreWithItsIdentityAndState) {
    Modem a(dir, "office", {"--imei", "354812345678901", "--csq", "21,99"});
    ModemChannel& office = Add(a);
    ASSERT_TRUE(Up(office));
    const auto found = [&]() -> std::optional<ModemRecord> {
        const auto modems = centre->store()->Modems();
        if (!modems)
            return std::nullopt;
        for (const ModemRecord& m : modems.value())
            if (m.name == "office")
                return m;
        return std::nullopt;
    };
    ASSERT_TRUE(Until([&] { return found() && found()->imei == "354812345678901"; }));
    const ModemRecord m = *found();
    EXPECT_EQ(m.imsi, "510109876543210");
    ASSERT_TRUE(Until([&] { return found()->signal == 21; })) << found()->signal;
    EXPECT_EQ(m.device, a.config.device);
    EXPECT_TRUE(m.lastSeen.isValid());
    ASSERT_TRUE(Until([&] { return found()->state == "ready"; })) << found()->state.toStdString();
    EXPECT_EQ(found()->operatorName, "VELMORA");
    // Let go by the program (a daemon stopped), it is no longer ready.
    ASSERT_TRUE(centre->removeModem("office"));
    EXPECT_EQ(found()->state, "away");
    ModemChannel& again = Add(a);
    ASSERT_TRUE(Up(again));
    ASSERT_TRUE(Until([&] { return found()->state == "ready"; })) << found()->state.toStdString();
    // Gone from the centre, it is no longer ready.
    a.sim.Kill();
    ASSERT_TRUE(Until([&] { return found()->state == "away"; })) << found()->state.toStdString();
}

// A modem polled for its signal is busy for a moment each time; an idle
// daemon does not write its store for that (an SD card wears).
TEST_F(Centre, PollingAnIdleModemDoesNotRewriteItsRow) {
    Modem a(dir, "office", {"--imei", "354812345678901"});
    ModemChannel& office = Add(a);
    ASSERT_TRUE(Up(office));
    const auto seen = [&]() -> QDateTime {
        const auto modems = centre->store()->Modems();
        return modems && !modems->empty() ? modems->front().lastSeen : QDateTime();
    };
    ASSERT_TRUE(Until([&] { return centre->store()->Modems()->front().state == "ready"; }));
    QThread::msleep(300);
    Until([] { return false; }, 300);
    const QDateTime before = seen();
    for (int poll = 0; poll < 5; ++poll) {
        office.link()->pollSignal();
        Until([] { return false; }, 150);
    }
    EXPECT_EQ(seen(), before) << "each poll wrote the modem's row";
    EXPECT_EQ(centre->store()->Modems()->front().state, "ready");
}

// What each phone holds is read into the one store at the start, what
// arrives later (+CMTI) as it comes, each marked with its modem, and taken
// off the SIM only when the settings ask for it.
TEST_F(Centre, ReadsEachPhoneAtTheStartAndDeletesOnlyWhenAsked) {
    const std::string received = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
    // The same text a second later, announced by +CMTI once the modem is open.
    const std::string later = "0791261895000000040C9126589699999900006221801200108205C8329BFD06";
    std::ofstream(dir + "/inbox.txt") << received << "\n";
    const struct Row {
        const char* what;
        bool deleteAfterStore;
        int leftOnSim;
    } rows[] = {
        {"DeleteAfterStore=no keeps the messages on the SIM", false, 2},
        {"DeleteAfterStore=yes takes each off once it is kept", true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string name = row.deleteAfterStore ? "deleting" : "keeping";
        Open(name);
        Modem m(dir, name, {"--inbox", dir + "/inbox.txt", "--deliver-after", "2500", later});
        m.config.deleteAfterStore = row.deleteAfterStore;
        ModemChannel& channel = Add(m);
        // Each read of the phone's stores: how many messages it found.
        std::vector<int> reads;
        QObject::connect(channel.link(), &PhoneLink::inboxFinished, channel.link(),
                         [&](bool read, const QList<StoredMessage>& messages) {
                             if (read)
                                 reads.push_back(static_cast<int>(messages.size()));
                         });
        ASSERT_TRUE(Until([&] { return reads.size() == 1; }));
        EXPECT_EQ(reads[0], 1);
        HistoryQuery in;
        in.direction = msg::Direction::In;
        ASSERT_TRUE(Until([&] { return centre->store()->Count(in) == 2; }));
        for (const MessageRecord& kept : centre->store()->Messages(in))
            EXPECT_EQ(kept.modem, m.config.name);
        // Read again: what the SIM still holds. A delete is asked for as the
        // first read is kept, so the link serves it before this read.
        channel.link()->readInbox();
        ASSERT_TRUE(Until([&] { return reads.size() == 2; }));
        EXPECT_EQ(reads[1], row.leftOnSim);
        EXPECT_TRUE(centre->removeModem(m.config.name));
        EXPECT_FALSE(centre->removeModem(m.config.name));
    }
}

// Stopping while a message is with the network: given the time it ends as
// sent; given none it is uncertain, and never sent again by itself. Either
// way nothing else starts.
TEST_F(Centre, StopLetsTheMessageOnItsWayEndOrMarksItUncertain) {
    const struct Row {
        const char* what;
        int graceMs;
        msg::State state;
    } rows[] = {
        {"time enough: it ends as sent", 8000, msg::State::Sent},
        {"no time: it is uncertain", 0, msg::State::Uncertain},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        // Each row on a store of its own: the first row's stop ends its centre.
        Open("stop" + std::to_string(row.graceMs));
        Modem m(dir, "slow" + std::to_string(row.graceMs), {"--network-delay", "1500"});
        ModemChannel& channel = Add(m);
        ASSERT_TRUE(Up(channel));
        const qint64 batch = Queue(channel, 3);
        // The PDU is with the phone, its answer not yet back.
        ASSERT_TRUE(Until([&] { return Recorded(m.record).size() == 1; }));
        EXPECT_EQ(InState(batch, msg::State::Sending), 1);
        centre->stop(QDeadlineTimer(row.graceMs));
        EXPECT_EQ(InState(batch, row.state), 1);
        EXPECT_EQ(InState(batch, msg::State::Queued), 2);
        // Nothing more starts, later either.
        Until([&] { return false; }, 500);
        EXPECT_EQ(Recorded(m.record).size(), 1u);
        EXPECT_EQ(InState(batch, msg::State::Queued), 2);
    }
}

// The SIM's PIN comes from the modem's PinFile: the right one opens it,
// a wrong one or none leaves the modem closed (and the SIM one try fewer).
TEST_F(Centre, TheSimIsOpenedWithThePinFromItsFile) {
    const struct Row {
        const char* what;
        const char* file; // its contents; nullptr: no PinFile=
        bool up;
    } rows[] = {
        {"the right PIN, with its line end", "2468\n", true},
        {"a wrong PIN", "1357\n", false},
        {"something that is no PIN", "PIN=2468\n", false},
        {"no PinFile=", nullptr, false},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Modem m(dir, "pin" + std::to_string(++n), {"--pin", "2468"});
        if (row.file) {
            const std::string file = dir + "/" + std::to_string(n) + ".pin";
            std::ofstream(file) << row.file;
            std::filesystem::permissions(file, std::filesystem::perms::owner_read);
            m.config.pinFile = QString::fromStdString(file);
        }
        ModemChannel& channel = Add(m);
        bool ended = false, ok = false;
        QObject::connect(channel.link(), &PhoneLink::connectFinished, channel.link(), [&](bool done) {
            ended = true;
            ok = done;
        });
        ASSERT_TRUE(Until([&] { return ended; }));
        EXPECT_EQ(ok, row.up);
        // The link's state may come just after the connect's end.
        EXPECT_EQ(row.up ? Up(channel) : channel.link()->isUp(), row.up);
        if (row.up) {
            centre->removeModem(m.config.name);
            continue;
        }
        // The link tries again by itself (after 1 s, then 2 s more) but the
        // refused PIN is not given again: the SIM still takes the right one.
        Until([] { return false; }, 4500);
        centre->removeModem(m.config.name);
        const std::string right = dir + "/right.pin";
        std::ofstream(right) << "2468\n";
        m.config.pinFile = QString::fromStdString(right);
        EXPECT_TRUE(Up(Add(m)));
        centre->removeModem(m.config.name);
    }
}

// The daemon's centre from its settings, and the settings read again: a
// modem gone is let go, a changed one opened anew, a new one added, the one
// unchanged left alone.
TEST_F(Centre, SettingsReadAgainChangeOnlyTheModemsTheyChange) {
    Modem a(dir, "office", {}), b(dir, "warehouse", {}), c(dir, "depot", {}), d(dir, "shop", {});
    DaemonConfig config;
    config.storePath = QString::fromStdString(dir + "/daemon.sqlite");
    config.modems = {a.config, b.config, d.config};
    AppPaths paths;
    paths.transmitLog = dir + "/Tr_smsn.Txt";
    paths.failedLog = dir + "/Fl_smsn.Txt";
    paths.receivedLog = dir + "/daemon.Received.Txt";
    centre = MessageCentre::FromConfig(config, paths);
    ASSERT_NE(centre->store(), nullptr);
    EXPECT_EQ(centre->store()->path(), config.storePath);
    ASSERT_EQ(centre->channels().size(), 3u);
    for (ModemChannel* channel : centre->channels())
        ASSERT_TRUE(Up(*channel)) << channel->name().toStdString();
    // Null once the channel is gone: a new one may come at the same address.
    const QPointer<ModemChannel> office = centre->channel("office");
    const QPointer<ModemChannel> shop = centre->channel("shop");

    config.modems = {a.config, c.config, d.config};
    config.modems[0].intervalMs = 10'000;
    centre->reload(config);
    EXPECT_EQ(centre->channel("warehouse"), nullptr);
    ASSERT_NE(centre->channel("depot"), nullptr);
    ASSERT_NE(centre->channel("office"), nullptr);
    EXPECT_EQ(centre->channel("office")->config().intervalMs, 10'000);
    EXPECT_TRUE(office.isNull()) << "opened again with its new settings";
    ASSERT_FALSE(shop.isNull()) << "unchanged, untouched";
    EXPECT_EQ(centre->channel("shop"), shop.data());
    EXPECT_TRUE(shop->link()->isUp());
    EXPECT_TRUE(Up(*centre->channel("depot")));
    EXPECT_TRUE(Up(*centre->channel("office")));
    EXPECT_EQ(centre->channels().size(), 3u);
}

} // namespace
} // namespace velmora::testing
