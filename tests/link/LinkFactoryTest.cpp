// The composition root: the port reaches the device the options and the
// settings name, and a link built here writes its logs where the paths say.

#include "LinkFactory.h"
#include "IndicatorPdu.h"
#include "PhoneLink.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <filesystem>

namespace velmora::testing {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "link_factory_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

TEST(MakeComPort, ResolvesEachPortThroughTheOptionsThenTheSettings) {
    Settings settings;
    settings.SerialDevices = {{2, "/dev/ttyUSB0"}, {3, "/dev/rfcomm0"}};
    const struct {
        const char* name;
        DeviceOptions options;
        int port;
        std::string device;
    } rows[] = {
        {"the settings' device", {}, 2, "/dev/ttyUSB0"},
        {"the option for that port", {std::nullopt, {{2, "/tmp/pty2"}}}, 2, "/tmp/pty2"},
        {"an option for another port", {std::nullopt, {{4, "/tmp/pty4"}}}, 3, "/dev/rfcomm0"},
        {"the device for any port", {"/tmp/any", {{2, "/tmp/pty2"}}}, 2, "/tmp/any"},
        {"the device for any port, any n", {"/tmp/any", {}}, 96, "/tmp/any"},
    };
    for (const auto& r : rows) {
        const auto port = MakeComPort(settings, r.options);
        port->SetPort(std::to_string(r.port));
        EXPECT_EQ(port->DevicePath(), r.device) << r.name;
        EXPECT_EQ(DeviceMapFor(settings, r.options).DeviceFor(r.port), r.device) << r.name;
        EXPECT_FALSE(port->Connected()) << r.name;
    }
}

TEST(MakePhoneLink, ConnectsToTheChosenDevice) {
    App();
    const std::string dir = TempDir("factory");
    SimPhone sim;
    Settings settings;
    settings.SerialDevices = {{5, "/dev/velmora-no-such-port"}};
    DeviceOptions options;
    options.anyPort = sim.device();
    const auto link = MakePhoneLink(settings, options, std::make_unique<RealClock>(0.1));
    QSignalSpy connected(link.get(), &PhoneLink::connectFinished);
    QSignalSpy sent(link.get(), &PhoneLink::sendFinished);
    link->connectPhone(5, 19200);
    link->submit(1, {QString::fromStdString(*BuildVoidPDU("628569999999"))}, "628569999999");
    for (int i = 0; i < 200 && sent.count() == 0; ++i)
        sent.wait(50);
    ASSERT_EQ(connected.count(), 1);
    EXPECT_TRUE(connected[0][0].toBool());
    ASSERT_EQ(sent.count(), 1);
    EXPECT_TRUE(sent[0][1].toBool());
    EXPECT_TRUE(link->shutDown(5000));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace velmora::testing
