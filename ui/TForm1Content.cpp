// The content tabs: files into the logo, group graphic, picture message,
// ringtone and EMS tabs, the preview, Save As, dropped files and the EMS
// composer's lists.

#include "Prompter.h"
#include "QtText.h"
#include "SMSLibU.h"
#include "TForm1.h"
#include "ui_TForm1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QMimeData>
#include <QPainter>

namespace velmora {

namespace {

// Text read from a file: UTF-8 when it is, else its bytes as Latin-1, so no
// byte is lost or turned into a replacement sign.
QString FromFile(const std::string& bytes) { return IsUtf8(bytes) ? Q(bytes) : FromPhone(bytes); }

// The size a tab sends: 72 x 14 for logos and group graphics, 72 x 28 for a
// picture message.
QString SizeNote(const LoadedContent& loaded, bool fromBitmap) {
    const int rows = loaded.tall ? 28 : 14;
    const int octets = static_cast<int>(loaded.content.size() / 2);
    int width = 72, height = octets * 8 / 72;
    if (fromBitmap && loaded.previewWidth > 0) {
        width = loaded.previewWidth;
        height = octets / ((width + 7) / 8);
    }
    if (width == 72 && height == rows && octets == 72 * rows / 8)
        return {};
    if (!fromBitmap)
        return QString("The content holds %1 octets where this tab sends %2 (72 x %3 pixels); "
                       "it is kept and sent as loaded.")
            .arg(octets)
            .arg(72 * rows / 8)
            .arg(rows);
    return QString(
               "The picture is %1 x %2 pixels where this tab sends 72 x %3; it is kept and sent as loaded.")
        .arg(width)
        .arg(height)
        .arg(rows);
}

const char* const kAnimations[] = {"[ None ]",          "I am ironic, flirty",
                                   "I am glad",         "I am sceptic",
                                   "I am sad",          "WOW !",
                                   "I am crying",       "I am winking",
                                   "I am laughing",     "I am Indifferent",
                                   "In love / Kissing", "I am confused",
                                   "Tongue hanging",    "I am angry",
                                   "Wearing glasses",   "Devil"};
const char* const kSounds[] = {"[ None ]", "Chimes high", "Chimes low", "Ding",       "TaDa",     "Notify",
                               "Drum",     "Claps",       "Fanfar",     "Chord high", "Chord low"};

} // namespace

void TForm1::FillContentControls() {
    for (const char* a : kAnimations)
        m_ui->cboAnimation->addItem(a);
    for (const char* s : kSounds)
        m_ui->cboSound->addItem(s);
    setAcceptDrops(true);
    ShowPreview(PreviewImage{});
    // Hex reads in columns.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QPlainTextEdit* memo : {m_ui->memHexLogo, m_ui->memHexGG, m_ui->memHexPM, m_ui->memHexRT})
        memo->setFont(fixed);
}

void TForm1::bitBrowseClick() { Browse(OpenCommand::BrowseLogo, Tab::OperatorLogo); }
void TForm1::bitBrowseGGClick() { Browse(OpenCommand::BrowseGroup, Tab::GroupGraphic); }
void TForm1::bitBrowsePMClick() { Browse(OpenCommand::BrowsePicture, Tab::PictureMessage); }
void TForm1::bitBrowseRTClick() { Browse(OpenCommand::BrowseRingtone, Tab::Ringtone); }
void TForm1::btnAddPictClick() { Browse(OpenCommand::AddPicture, Tab::Ems); }

void TForm1::Browse(OpenCommand command, Tab tab) {
    const FileFilter filter = OpenFilter(command);
    const auto choice = m_prompter->OpenFile(this, filter);
    if (!choice.path.isEmpty())
        LoadIntoTab(tab, choice.path);
}

// The filter the user ends with decides the kind, not the file's name.
void TForm1::mnuFOpenClick() {
    const FileFilter filter = OpenFilter(OpenCommand::FileOpen);
    const auto choice = m_prompter->OpenFile(this, filter);
    if (choice.path.isEmpty())
        return;
    const auto kind = KindOfOpenFilter(choice.filterIndex);
    if (!kind)
        return;
    LoadIntoTab(TabOf(*kind), choice.path);
    SelectTab(TabOf(*kind));
}

Tab TForm1::CurrentTab() const { return TabAt(m_ui->PageControl1->currentIndex()).value_or(Tab::TextSms); }

// The hex memo of a content tab.
QPlainTextEdit* TForm1::ContentMemo(Tab tab) const {
    switch (tab) {
    case Tab::OperatorLogo:
        return m_ui->memHexLogo;
    case Tab::GroupGraphic:
        return m_ui->memHexGG;
    case Tab::PictureMessage:
        return m_ui->memHexPM;
    case Tab::Ringtone:
        return m_ui->memHexRT;
    default:
        return nullptr;
    }
}

void TForm1::SelectTab(Tab tab) {
    m_selectingTab = true;
    m_ui->PageControl1->setCurrentIndex(IndexOf(tab));
    m_selectingTab = false;
}

bool TForm1::LoadIntoTab(Tab tab, const QString& path) {
    switch (tab) {
    case Tab::OperatorLogo:
        return ProcessOL(path);
    case Tab::GroupGraphic:
        return ProcessGG(path);
    case Tab::PictureMessage:
        return ProcessPM(path);
    case Tab::Ringtone:
        return ProcessRT(path);
    case Tab::Ems:
        return ProcessEMSPict(path);
    default:
        return false;
    }
}

bool TForm1::ProcessOL(const QString& path) {
    return LoadPicture(Tab::OperatorLogo, path, m_ui->txtLogoFile, m_ui->memHexLogo);
}
bool TForm1::ProcessGG(const QString& path) {
    return LoadPicture(Tab::GroupGraphic, path, m_ui->txtGroupFile, m_ui->memHexGG);
}
bool TForm1::ProcessPM(const QString& path) {
    return LoadPicture(Tab::PictureMessage, path, m_ui->txtPMFile, m_ui->memHexPM);
}

// A file the reader refuses leaves the tab as it was and says why.
bool TForm1::LoadPicture(Tab tab, const QString& path, QLineEdit* fileEdit, QPlainTextEdit* memo) {
    const auto loaded = LoadTabContent(KindOf(tab), S(path));
    if (!loaded) {
        m_prompter->Warning(this, Q(loaded.error()));
        return false;
    }
    fileEdit->setText(path);
    m_ui->lblFName->setText(path);
    m_ui->mnuFSaveAs->setEnabled(true);
    memo->setPlainText(Q(loaded->content));
    const bool fromBitmap = loaded->reader == ContentReader::Bitmap;
    ShowPreview(DrawPreview(loaded->content, loaded->tall, loaded->previewWidth));
    const QString note = SizeNote(*loaded, fromBitmap);
    if (!note.isEmpty())
        ShowStatus(note);
    return true;
}

bool TForm1::ProcessRT(const QString& path) {
    const auto tune = ReadRingtoneFile(S(path));
    if (!tune) {
        m_prompter->Warning(this, Q(tune.error()));
        return false;
    }
    m_ui->txtRTFile->setText(path);
    m_ui->lblFName->setText(path);
    m_ui->mnuFSaveAs->setEnabled(true);
    m_ui->memHexRT->setPlainText(Q(tune->content));
    m_ui->memRTTTL->setPlainText(FromFile(tune->rtttl));
    m_ui->lblTitle->setText("Title = " + FromFile(tune->title));
    m_ui->lblTempo->setText("Tempo = " + FromFile(tune->tempoText));
    OfferRingtoneCut(tune->rtttl);
    return true;
}

// About one published tune in six is too long for one message: rather than
// have the send refused, offer the first notes that fit.
void TForm1::OfferRingtoneCut(const std::string& rtttl) {
    if (RingtoneFits(rtttl))
        return;
    const RingtoneFit fit = FitRingtone(rtttl);
    const QString question = QString("This tune has %1 notes; one message carries the first %2 of them.\n"
                                     "Send the first %2 notes?")
                                 .arg(fit.notes)
                                 .arg(fit.fitting);
    if (!m_prompter->Ask(this, question)) {
        ShowStatus(QString("The tune is too long for one message: only the first %1 of its %2 notes fit.")
                       .arg(fit.fitting)
                       .arg(fit.notes));
        return;
    }
    m_ui->memHexRT->setPlainText(Q(fit.content));
    ShowStatus(QString("The ringtone ends after note %1 of %2, so it fits one message.")
                   .arg(fit.fitting)
                   .arg(fit.notes));
}

bool TForm1::ProcessEMSPict(const QString& path) {
    const auto tag = LoadEmsPicture(S(path));
    if (!tag) {
        m_prompter->Warning(this, Q(tag.error()));
        return false;
    }
    m_ui->memEMS->setPlainText(Q(*tag));
    return true;
}

// The 72 x 28 screen at twice its size, so a pixel is clearly seen.
void TForm1::ShowPreview(const PreviewImage& preview) {
    QImage image(PreviewImage::kWidth, PreviewImage::kHeight, QImage::Format_ARGB32);
    for (int y = 0; y < PreviewImage::kHeight; ++y)
        for (int x = 0; x < PreviewImage::kWidth; ++x)
            image.setPixel(x, y, preview.black(x, y) ? qRgb(24, 32, 20) : qRgba(0, 0, 0, 0));
    m_ui->imgShow->setPixmap(QPixmap::fromImage(image.scaled(image.size() * 2)));
    m_ui->imgShow->setAccessibleDescription(m_ui->lblFName->text());
}

void TForm1::mnuFSaveAsClick() {
    const MessageKind kind = KindOf(CurrentTab());
    if (!CanSaveAs(kind))
        return;
    const std::string label = S(m_ui->lblFName->text());
    if (const auto filter = SaveFilter(kind, label))
        m_saveTypes = *filter; // otherwise the dialog keeps its last one
    const auto choice = m_prompter->SaveFile(this, {m_saveTypes, 1});
    if (choice.path.isEmpty())
        return;
    const std::string destination = SaveDestination(kind, choice.filterIndex, S(choice.path), label);
    const ContentMemos memos{S(m_ui->memHexLogo->toPlainText()), S(m_ui->memHexGG->toPlainText()),
                             S(m_ui->memHexPM->toPlainText())};
    const auto saved = SaveContentAs(label, destination, memos);
    if (!saved) {
        m_prompter->Warning(this, Q(saved.error()));
        return;
    }
    m_ui->lblFName->setText(Q(*saved));
    ShowStatus("Saved " + Q(*saved));
}

// A file dropped on the window goes to the tab its kind belongs to; a
// picture goes to the picture tab shown, else to the operator logo.
std::optional<Tab> TForm1::TabForDroppedFile(const QString& path) const {
    const QString suffix = QFileInfo(path).suffix().toUpper();
    const Tab current = CurrentTab();
    if (suffix == "NOL" || suffix == "VOL")
        return Tab::OperatorLogo;
    if (suffix == "NGG" || suffix == "VGG")
        return Tab::GroupGraphic;
    if (suffix == "VPM")
        return Tab::PictureMessage;
    if (suffix == "TXT" || suffix == "RTTTL" || suffix == "RTX")
        return Tab::Ringtone;
    if (suffix == "BMP") {
        if (current == Tab::GroupGraphic || current == Tab::PictureMessage || current == Tab::Ems)
            return current;
        return Tab::OperatorLogo;
    }
    return std::nullopt;
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    DropFile(urls.first().toLocalFile());
}

void TForm1::DropFile(const QString& path) {
    const auto tab = TabForDroppedFile(path);
    if (!tab) {
        m_prompter->Warning(this, "Velmora loads BMP, NOL, NGG, VOL, VGG, VPM and RTTTL files; " +
                                      QFileInfo(path).fileName() + " is none of these.");
        return;
    }
    if (LoadIntoTab(*tab, path))
        SelectTab(*tab);
}

// Tags go in at the caret (at the start of a selection, which stays).
void TForm1::InsertEmsTag(const char* prefix, int index) {
    if (index <= 0)
        return;
    const QString tag = QString("%1%2]").arg(prefix).arg(index - 1, 2, 10, QChar('0'));
    QTextCursor cursor = m_ui->memEMS->textCursor();
    const int at = cursor.selectionStart();
    QString text = m_ui->memEMS->toPlainText();
    text.insert(at, tag);
    m_ui->memEMS->setPlainText(text);
    cursor = m_ui->memEMS->textCursor();
    cursor.setPosition(at + static_cast<int>(tag.size()));
    m_ui->memEMS->setTextCursor(cursor);
}

void TForm1::cboAnimationChange(int index) { InsertEmsTag("[#ANI", index); }
void TForm1::cboSoundChange(int index) { InsertEmsTag("[#SND", index); }

} // namespace velmora
