#include "WindowFixture.h"

#include "LinkFactory.h"
#include "SinkOutput.h"

#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

namespace velmora::testing {

int TestPrompter::Exec(QDialog& dialog) {
    dialog.show();
    if (onDialog)
        onDialog(dialog);
    dialog.accept();
    return QDialog::Accepted;
}

std::unique_ptr<QPrinter> TestPrompter::DefaultPrinter() {
    if (printerFile.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printerFile);
    return printer;
}

Phone::Phone(const QString& record, QStringList options)
    : m_record(record), m_sim(Arguments(record, options)) {}

std::vector<std::string> Phone::Arguments(const QString& record, const QStringList& options) {
    std::vector<std::string> args;
    for (const QString& o : options)
        args.push_back(o.toStdString());
    args.insert(args.end(), {"--record", record.toStdString()});
    return args;
}

QStringList Phone::received() const {
    QFile f(m_record);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

Window::Window(const QString& device, const QByteArray& settings, double scale) {
    if (!settings.isNull()) {
        QFile f(path("velmora.Ini"));
        f.open(QIODevice::WriteOnly);
        f.write(settings);
    }
    recreate(device, scale);
}

Window::Window(std::unique_ptr<RunningProgram> running, const QByteArray& settings)
    : m_running(std::move(running)) {
    if (!settings.isNull()) {
        QFile f(path("velmora.Ini"));
        f.open(QIODevice::WriteOnly);
        f.write(settings);
    }
    recreate(path("no-such-device"), 0.1);
}

Window::~Window() {
    if (m_form)
        m_form->close();
}

void Window::recreate(const QString& device, double scale) {
    DeviceOptions options;
    options.anyPort = device.toStdString();
    WindowSetup setup = MakeWindowSetup(AppPathsIn(m_dir.path().toStdString()), options,
                                        [scale] { return std::make_unique<RealClock>(scale); });
    setup.prompter = &prompter;
    setup.makeTuneOutput = [this]() -> std::unique_ptr<TuneOutput> {
        return tuneOutput ? tuneOutput() : std::make_unique<SinkOutput>();
    };
    setup.answerOnBus = answerOnBus;
    if (m_running)
        setup.findRunning = [this] { return std::move(m_running); };
    m_form.reset();
    m_form = std::make_unique<TForm1>(std::move(setup));
}

void Window::show() {
    m_form->show();
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(m_form.get());
}

bool Window::waitConnected(int ms) {
    auto* send = find<QPushButton>("bitSendSMS");
    return QTest::qWaitFor([&] { return send->isEnabled(); }, ms);
}

ConnectedWindow::ConnectedWindow(const QString& record, QStringList options, double scale)
    : WindowPhone{Phone(record, std::move(options))}, Window(phone.device(), {}, scale) {
    show();
    m_connected = waitConnected();
}

QStringList Window::lines(const QString& name) const {
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
}

} // namespace velmora::testing
