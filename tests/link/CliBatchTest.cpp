// velmora-cli's batches as a user meets them: the dry run of a contacts
// file, and the exit status of "queue run" and "resend" over stores left as
// a crash, another program or an earlier resend leave them, against the
// simulated phone on a scaled clock.

#include "Clock.h"
#include "MessageRequest.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "PhoneCommands.h"
#include "SimPhone.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace velmora::cli {
namespace {

using velmora::testing::SimPhone;
using velmora::testing::TempDir;

struct Outcome {
    int code;
    std::string out, err;
};

constexpr double kScale = 0.1;

Outcome Cli(int (*command)(std::vector<std::string>, Io), std::vector<std::string> words) {
    std::ostringstream out, err;
    RealClock clock(kScale);
    const int code = command(std::move(words), Io{out, err, false, false, &clock});
    return {code, out.str(), err.str()};
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A dry run shows each recipient's own message and who is left out, and
// keeps and opens nothing: no store is made and the device is never
// opened (there is none).
TEST(CliBatch, aDryRunShowsEachRecipientAndTouchesNothing) {
    const std::string dir = TempDir("cli-dry");
    const std::string store = dir + "/messages.sqlite";
    Write(dir + "/club.csv", "Tanggal,Nama,No. HP\n"
                             "20260105,Ani,0812 3456 7890\n"
                             "20260106,Zoë,+62 813-1111-2222\n"
                             "20260107,Budi,\n"
                             "20260108,,0814.5555.6666\n"
                             "20260109,Ani lagi,0062 812 3456 7890\n");
    Write(dir + "/dates.csv", "Date,Name,Contact\n20260105,Ani,0812 3456 7890\n20260106,Budi,soon\n");
    struct Row {
        const char* name;
        std::vector<std::string> words;
        int code;
        std::string out, err;
    } rows[] = {
        {"Unicode for the row that needs it, the empty cell left out",
         {"--to-file", dir + "/club.csv", "text", "Halo {nama}, rapat besok"},
         kExitRefused,
         "To 6281234567890 (Ani): GSM 7-bit, 1 part\n"
         "    Halo Ani, rapat besok\n"
         "To 6281311112222 (Zoë): UCS2, 1 part (made UCS2: the text has characters outside GSM)\n"
         "    Halo Zoë, rapat besok\n"
         "left out: line 4 (Budi): has no number\n"
         "left out: line 5 (0814.5555.6666): its cell for {nama} is empty\n"
         "once only: line 6 (0062 812 3456 7890): already in the list (line 2)\n"
         "Dry run: 2 recipients in 2 parts, 2 left out; nothing was queued or sent\n",
         ""},
        {"--allow-empty and --unicode never",
         {"--to-file", dir + "/club.csv", "--allow-empty", "--unicode", "never", "text", "Hi {Nama}"},
         kExitRefused,
         "To 6281234567890 (Ani): GSM 7-bit, 1 part\n"
         "    Hi Ani\n"
         "To 6281455556666: GSM 7-bit, 1 part\n"
         "    Hi \n"
         "left out: line 3 (+62 813-1111-2222): a normal text message cannot carry \"ë\". Remove them, or "
         "send "
         "the text as a Flash Message, which carries any character.\n"
         "left out: line 4 (Budi): has no number\n"
         "once only: line 6 (0062 812 3456 7890): already in the list (line 2)\n"
         "Dry run: 2 recipients in 2 parts, 2 left out; nothing was queued or sent\n",
         ""},
        {"a long text in UCS2 takes more parts",
         {"--to", "0812 3456 7890", "text", "--long", std::string(100, 'a') + "\u00eb"},
         kExitOk,
         "To 6281234567890: UCS2, 2 parts (made UCS2: the text has characters outside GSM)\n"
         "    " +
             std::string(100, 'a') +
             "\u00eb\n"
             "Dry run: 1 recipient in 2 parts, 0 left out; nothing was queued or sent\n",
         ""},
        {"no column is surely the numbers'",
         {"--to-file", dir + "/dates.csv", "text", "Hi"},
         kExitRefused,
         "",
         "velmora-cli: nothing queued: no column looks like phone numbers; the columns are \"Date\", "
         "\"Name\", "
         "\"Contact\"; name it with --number-column (its header or its place, 1 for the first)\n"},
        {"the column named by its place",
         {"--to-file", dir + "/dates.csv", "--number-column", "3", "text", "Hi"},
         kExitRefused,
         "To 6281234567890 (Ani): GSM 7-bit, 1 part\n"
         "    Hi\n"
         "left out: line 3 (soon): invalid destination number \"soon\": it must be 1 to 20 digits (after "
         "\"+\" is "
         "dropped and a leading 0 becomes 62)\n"
         "Dry run: 1 recipient in 1 part, 1 left out; nothing was queued or sent\n",
         ""},
    };
    for (const Row& r : rows) {
        std::vector<std::string> words{"--device", dir + "/no-such-phone", "--store", store, "--dry-run"};
        words.insert(words.end(), r.words.begin(), r.words.end());
        const Outcome o = Cli(RunSend, words);
        EXPECT_EQ(o.code, r.code) << r.name << "\n" << o.err;
        EXPECT_EQ(o.out, r.out) << r.name;
        EXPECT_EQ(o.err, r.err) << r.name;
        EXPECT_FALSE(std::filesystem::exists(store)) << r.name << ": a dry run made the store";
    }
}

// The store as a program left it, for "queue run" and "resend" to find.
class LeftStore {
public:
    explicit LeftStore(const std::string& path) {
        auto opened = MessageStore::Open(QString::fromStdString(path));
        EXPECT_TRUE(opened) << opened.error();
        m_store = std::move(opened.value());
    }
    // A batch of one message a number, each then moved to its state.
    std::vector<qint64> Batch(const std::vector<std::pair<const char*, msg::State>>& messages) {
        std::vector<MessageRecord> records;
        for (const auto& [number, state] : messages) {
            MessageRequest request;
            request.destination = number;
            request.text = u"Rapat jam 7";
            records.push_back(OutgoingRecord(request, *BuildMessage(request), {}));
        }
        BatchRecord batch;
        batch.name = QStringLiteral("Rapat");
        batch.key = QString::number(++m_batches);
        batch.created = QDateTime::currentDateTimeUtc();
        const qint64 id = m_store->AddBatch(batch, records).value();
        HistoryQuery query;
        query.batch = id;
        std::vector<qint64> ids;
        for (const MessageRecord& m : m_store->Messages(query))
            ids.push_back(m.id);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const msg::State state = messages[i].second;
            const msg::Reason why = state == msg::State::Uncertain ? msg::Reason::Stopped : msg::Reason::None;
            if (state == msg::State::Sending) {
                EXPECT_TRUE(m_store->Claim(ids[i]).value()); // by this program, which lives on
            } else if (state != msg::State::Queued) {
                EXPECT_TRUE(m_store->SetState(ids[i], state, why).value());
            }
        }
        return ids;
    }
    // A message of its own, sent again in place of `replaced`.
    qint64 Replacing(qint64 replaced) {
        MessageRequest request;
        request.destination = "628123456789";
        request.text = u"Rapat jam 7";
        MessageRecord record = OutgoingRecord(request, *BuildMessage(request), {});
        record.replaces = replaced;
        record.state = msg::State::Sent;
        return m_store->AddOutgoing(record).value();
    }

private:
    std::unique_ptr<MessageStore> m_store;
    int m_batches = 0;
};

using msg::State;

TEST(CliBatch, queueRunAndResendSayWhatHappenedInTheirExitStatus) {
    struct Row {
        const char* name;
        std::function<void(LeftStore&)> left;
        std::vector<std::string> words; // the command's, after which the device and the store
        int code;
        const char* out; // the start of stdout
        const char* err; // found in stderr ("" : stderr empty)
    } rows[] = {
        {"a run a crash stopped leaves an uncertain message",
         [](LeftStore& s) {
             s.Batch({{"628111", State::Sent}, {"628122", State::Uncertain}});
         },
         {"queue", "run"},
         kExitRefused,
         "Nothing is queued\n",
         "message 2 to 628122 is uncertain (stopped): it may have gone"},
        {"nothing was ever queued", [](LeftStore&) {}, {"queue", "run"}, kExitOk, "Nothing is queued\n", ""},
        {"another living program is sending one of the batch",
         [](LeftStore& s) {
             s.Batch({{"628111", State::Sent}, {"628122", State::Sending}});
         },
         {"queue", "run"},
         kExitOk,
         "Batch B1: 1 of 2 sent, 1 sending\n",
         ""},
        {"the uncertain message was sent again already",
         [](LeftStore& s) {
             s.Replacing(s.Batch({{"628122", State::Uncertain}}).front());
         },
         {"queue", "run"},
         kExitOk,
         "Nothing is queued\n",
         ""},
        {"a batch sent now while an old one holds an uncertain message",
         [](LeftStore& s) {
             s.Batch({{"628122", State::Uncertain}});
             s.Batch({{"628133", State::Queued}});
         },
         {"queue", "run"},
         kExitRefused,
         "Message 2 to 628133: sent\n",
         "batch B1 has 1 uncertain: they may have gone"},
        {"an uncertain message is sent again with --yes",
         [](LeftStore& s) {
             s.Batch({{"628122", State::Uncertain}});
         },
         {"resend", "1", "--yes"},
         kExitOk,
         "Message 2, in place of message 1\nMessage Sent\n",
         ""},
        {"a failed one too",
         [](LeftStore& s) {
             s.Batch({{"628122", State::Failed}});
         },
         {"resend", "--yes", "1"},
         kExitOk,
         "Message 2, in place of message 1\n",
         ""},
        {"a sent message is not sent again",
         [](LeftStore& s) {
             s.Batch({{"628122", State::Sent}});
         },
         {"resend", "1", "--yes"},
         kExitRefused,
         "",
         "message 1 is not sent again: only a message that failed, or whose fate is not known, is sent "
         "again"},
        {"nor one sent again already",
         [](LeftStore& s) {
             s.Replacing(s.Batch({{"628122", State::Uncertain}}).front());
         },
         {"resend", "1", "--yes"},
         kExitRefused,
         "",
         "it was sent again already, as message 2"},
        {"nor queued again in its batch once sent again",
         [](LeftStore& s) {
             s.Replacing(s.Batch({{"628122", State::Uncertain}}).front());
         },
         {"queue", "resume", "1"},
         kExitRefused,
         "",
         "message 1 was sent again already, as message 2"},
        {"no such message",
         [](LeftStore&) {},
         {"resend", "7", "--yes"},
         kExitRefused,
         "",
         "there is no message 7"},
        {"no message named", [](LeftStore&) {}, {"resend", "B1"}, kExitUsage, "", "is no message number"},
    };
    for (const Row& r : rows) {
        const std::string dir = TempDir("cli-run");
        const std::string store = dir + "/messages.sqlite";
        {
            LeftStore left(store);
            r.left(left);
        }
        SimPhone sim;
        std::vector<std::string> words(r.words.begin() + 1, r.words.end());
        if (r.words.front() == "resend" || r.words[1] == "run")
            words.insert(words.end(), {"--device", sim.device()});
        words.insert(words.end(), {"--store", store});
        const Outcome o = Cli(r.words.front() == "queue" ? RunQueue : RunResend, words);
        EXPECT_EQ(o.code, r.code) << r.name << "\n" << o.out << o.err;
        EXPECT_EQ(o.out.substr(0, std::string(r.out).size()), r.out) << r.name << "\n" << o.out;
        if (*r.err) {
            EXPECT_NE(o.err.find(r.err), std::string::npos) << r.name << "\n" << o.err;
        } else {
            EXPECT_EQ(o.err, "") << r.name;
        }
        std::filesystem::remove_all(dir);
    }
}

// Messages queued alone from the command line (send --queue) go at the
// next "queue run", each said as it ends; one that names another modem
// waits for it.
TEST(CliBatch, messagesQueuedAloneGoAtTheNextRun) {
    const std::string dir = TempDir("cli-alone");
    const std::string store = dir + "/messages.sqlite";
    const auto queue = [&](std::vector<std::string> words) {
        words.insert(words.begin(), {"--device", dir + "/no-phone", "--store", store, "--queue"});
        return Cli(RunSend, words);
    };
    const Outcome first = queue({"text", "0812 3456 7890", "Halo"});
    ASSERT_EQ(first.code, kExitOk) << first.err;
    EXPECT_EQ(first.out, "1\n");
    ASSERT_EQ(queue({"--modem", "gudang", "text", "0813", "Nanti"}).code, kExitOk);
    ASSERT_EQ(queue({"text", "0814", "Juga"}).out, "3\n");
    SimPhone sim;
    const Outcome run = Cli(RunQueue, {"run", "--device", sim.device(), "--store", store});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(run.out, "Message 1 to 6281234567890: sent\nMessage 3 to 62814: sent\n");
    auto opened = MessageStore::Open(QString::fromStdString(store));
    ASSERT_TRUE(opened) << opened.error();
    EXPECT_EQ(opened.value()->Message(2)->state, msg::State::Queued);
    EXPECT_EQ(opened.value()->Message(1)->modemDevice, QString::fromStdString(sim.device()));
    std::filesystem::remove_all(dir);
}

TEST(CliBatch, resendAsksAndWithoutATerminalNeedsYes) {
    if (::isatty(STDIN_FILENO))
        GTEST_SKIP() << "stdin is a terminal: the question would wait for an answer";
    const std::string dir = TempDir("cli-resend");
    const std::string store = dir + "/messages.sqlite";
    {
        LeftStore left(store);
        left.Batch({{"628122", State::Uncertain}});
    }
    SimPhone sim({"--record", dir + "/pdus.txt"});
    const Outcome o = Cli(RunResend, {"1", "--device", sim.device(), "--store", store});
    EXPECT_EQ(o.code, kExitRefused);
    EXPECT_EQ(o.err,
              "velmora-cli: Message 1 to 628122 is uncertain (stopped): it may have reached them. Send it "
              "again?\nvelmora-cli: not sent: there is no terminal to ask on; give --yes to agree "
              "beforehand\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "/pdus.txt")) << "nothing reached the phone";
    std::filesystem::remove_all(dir);
}

TEST(CliBatch, aReminderForAnotherDayIsAnotherBatch) {
    const std::string dir = TempDir("cli-again");
    const std::string store = dir + "/messages.sqlite";
    const auto at = [](int days) {
        return QDateTime::currentDateTime().addDays(days).toString("yyyy-MM-dd 09:00").toStdString();
    };
    const auto queue = [&](const std::string& when) {
        return Cli(RunSend, {"--device", dir + "/no-phone", "--store", store, "--at", when, "--to",
                             "0812 3456 7890", "text", "Jangan lupa rapat"})
            .code;
    };
    EXPECT_EQ(queue(at(1)), kExitOk);
    EXPECT_EQ(queue(at(2)), kExitOk) << "the same reminder for the next day";
    EXPECT_EQ(queue(at(1)), kExitDuplicate) << "the same reminder for the same day";
    std::filesystem::remove_all(dir);
}

// The settings file's [Outbox] Retries= is every batch's, the window's and
// the command line's alike; one out of range is named and 2 is used.
TEST(CliBatch, aBatchTakesItsRetriesFromTheSettingsFile) {
    const std::string settings = std::string(std::getenv("VELMORA_DIR")) + "/velmora.Ini";
    struct Row {
        const char* file; // the settings file's text; nullptr: there is none
        int retries;
        const char* err; // found in stderr ("": stderr empty)
    } rows[] = {
        {nullptr, 2, ""},
        {"[Outbox]\r\nRetries=5\r\n", 5, ""},
        {"[Outbox]\r\nRetries=0\r\n", 0, ""},
        {"[Outbox]\r\nRetries=11\r\n", 2, "Retries=11 is not from 0 to 10; 2 is used"},
    };
    for (const Row& r : rows) {
        const std::string dir = TempDir("cli-retries");
        const std::string store = dir + "/messages.sqlite";
        if (r.file)
            Write(settings, r.file);
        const std::string tomorrow =
            QDateTime::currentDateTime().addDays(1).toString("yyyy-MM-dd 09:00").toStdString();
        const Outcome o = Cli(RunSend, {"--device", dir + "/no-phone", "--store", store, "--at", tomorrow,
                                        "--to", "0812 3456 7890", "text", "Jangan lupa rapat"});
        std::filesystem::remove(settings);
        EXPECT_EQ(o.code, kExitOk) << (r.file ? r.file : "no file") << o.err;
        if (*r.err) {
            EXPECT_NE(o.err.find(r.err), std::string::npos) << o.err;
        } else {
            EXPECT_EQ(o.err, "");
        }
        const Outcome listed = Cli(RunQueue, {"list", "--json", "--store", store});
        EXPECT_NE(listed.out.find("\"retries\": " + std::to_string(r.retries) + ","), std::string::npos)
            << (r.file ? r.file : "no file") << "\n"
            << listed.out;
        std::filesystem::remove_all(dir);
    }
}

// The settings' [Messages] CountryCode= is what every command dials a
// national number with: a batch, one message's PDU, and the history's key.
TEST(CliBatch, aNationalNumberTakesTheSettingsCountryCode) {
    const std::string home = std::getenv("VELMORA_DIR");
    const std::string dir = TempDir("cli-country");
    struct Row {
        const char* file;
        const char* code;
    } rows[] = {{"[Messages]\r\nCountryCode=358\r\n", "358"}, {nullptr, "62"}};
    for (const Row& r : rows) {
        if (r.file)
            Write(home + "/velmora.Ini", r.file);
        const Outcome batch =
            Cli(RunSend, {"--device", dir + "/no-phone", "--store", dir + "/messages.sqlite", "--dry-run",
                          "--to", "040 123 4567", "text", "Hei"});
        EXPECT_EQ(batch.out.rfind(std::string("To ") + r.code + "401234567: GSM 7-bit, 1 part\n", 0), 0u)
            << batch.out << batch.err;
        // velmora-cli pdu, as a user runs it.
        const std::string command =
            std::string("VELMORA_DIR='") + home + "' '" VELMORA_CLI "' pdu text 0401234567 Hei";
        std::string printed;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[512];
            while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
                printed.append(buffer, n);
            EXPECT_EQ(::pclose(pipe), 0) << printed;
        }
        MessageRequest request;
        request.destination = "0401234567";
        request.text = u"Hei";
        request.countryCode = r.code;
        const auto want = BuildMessage(request);
        ASSERT_TRUE(want);
        EXPECT_NE(printed.find(want->pdus.front()), std::string::npos) << r.code << "\n" << printed;
        std::filesystem::remove(home + "/velmora.Ini");
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace velmora::cli
