// velmorad as a user sets it up, on a simulated phone that receives a text:
// the text reaches the [Hooks] program and the [Webhooks] receiver once
// each, as the same JSON, signed.

#include "ApiWorld.h"
#include "SimPhone.h"
#include "WebReceiver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QProcess>

#include <csignal>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

TEST(VelmoradHooks, AReceivedTextReachesTheHookAndTheWebhookOnceEach) {
    App();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString text = QStringLiteral("Stok habis: \"kopi\" $(rm -rf x) `id`");
    SimPhone phone({"--imei", "354812345678908", "--deliver-after", "1500",
                    Deliver(QStringLiteral("6281234567"), text, Utc("2026-12-10T08:00:00Z")).toStdString()});
    ASSERT_FALSE(phone.device().empty());
    WebReceiver receiver;

    const QString out = dir.filePath(QStringLiteral("hook out"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QString hook = dir.filePath(QStringLiteral("hook.sh"));
    ASSERT_TRUE(Write(hook, "#!/bin/sh\nf=$(mktemp \"$1/in.XXXXXX\") && cat > \"$f\"\n"));
    QFile::setPermissions(hook, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString secret = dir.filePath(QStringLiteral("secret"));
    ASSERT_TRUE(Write(secret, "secret-of-the-daemon\n"));
    QFile::setPermissions(secret, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString conf = dir.filePath(QStringLiteral("velmorad.conf"));
    ASSERT_TRUE(
        Write(conf, QStringLiteral("[Modem a]\nDevice=%1\n\n[Hooks]\nOnReceive=%2 \"%3\"\n\n"
                                   "[Webhooks]\nUrl=%4\nSecretFile=%5\n")
                        .arg(QString::fromStdString(phone.device()), hook, out, receiver.url(), secret)
                        .toUtf8()));

    QProcess daemon;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_DIR"), dir.path());
    // No bus: the doors that call out work without one.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + dir.filePath("no-bus"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("LANGUAGE"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("JOURNAL_STREAM"));
    env.remove(QStringLiteral("NOTIFY_SOCKET"));
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(dir.filePath(QStringLiteral("log")));
    daemon.start(QStringLiteral(VELMORAD), {QStringLiteral("--config"), conf});
    ASSERT_TRUE(daemon.waitForStarted(5000));

    const auto copies = [&] { return QDir(out).entryList(QDir::Files); };
    const bool both = Until([&] { return !receiver.requests.empty() && !copies().isEmpty(); }, 30000);
    // Time for a second delivery or hook, were there one.
    Spin(1500);
    // (Never kill(0): a daemon that already ended has no id, and 0 is our own group.)
    if (daemon.processId() > 0)
        ::kill(static_cast<pid_t>(daemon.processId()), SIGTERM);
    EXPECT_TRUE(daemon.waitForFinished(12000));
    ASSERT_TRUE(both) << Bytes(dir.filePath(QStringLiteral("log"))).toStdString();

    ASSERT_EQ(copies().size(), 1);
    ASSERT_EQ(receiver.requests.size(), 1U);
    const WebRequest& posted = receiver.requests.front();
    const QByteArray hooked = Bytes(out + QLatin1Char('/') + copies().front());
    const QJsonObject event = QJsonDocument::fromJson(posted.body).object();
    EXPECT_EQ(event.value(QLatin1String("event")).toString(), QLatin1String("received"));
    EXPECT_EQ(event.value(QLatin1String("message")).toObject().value(QLatin1String("text")).toString(), text);
    EXPECT_EQ(QJsonDocument::fromJson(hooked).object(), event)
        << "the hook and the webhook get the same JSON";
    EXPECT_EQ(posted.headers.at("x-velmora-signature"),
              "sha256=" + QMessageAuthenticationCode::hash(posted.body, "secret-of-the-daemon",
                                                           QCryptographicHash::Sha256)
                              .toHex());
}

} // namespace
} // namespace velmora::testing
