#include "WindowFixture.h"

#include "LinkFactory.h"

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

Phone::Phone(const QString& record, QStringList options) : m_record(record) {
    options << "--record" << record;
    m_process.start(VELMORA_PHONESIM, options);
    m_process.waitForReadyRead(5000);
    m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

Phone::~Phone() {
    m_process.kill();
    m_process.waitForFinished(2000);
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

QStringList Window::lines(const QString& name) const {
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
}

} // namespace velmora::testing
