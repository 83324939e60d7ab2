#include "ContentTabs.h"

#include "Translations.h"

#include "EmsPdu.h"

#include "FileIo.h"
#include "ImageImport.h"
#include "PictureEditorDialog.h"
#include "Pictures.h"
#include "Prompter.h"
#include "QtText.h"
#include "SMSLibU.h"
#include "TunePlayer.h"
#include "ui_TForm1.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
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
        return QCoreApplication::translate(
                   "ContentTabs", "The content holds %1 octets where this tab sends %2 (72 x %3 pixels); "
                                  "it is kept and sent as loaded.")
            .arg(octets)
            .arg(72 * rows / 8)
            .arg(rows);
    return QCoreApplication::translate(
               "ContentTabs",
               "The picture is %1 x %2 pixels where this tab sends 72 x %3; it is kept and sent as loaded.")
        .arg(width)
        .arg(height)
        .arg(rows);
}

// The picture as shown, written in a format other programs open.
FileType BmpExport() {
    return {S(QCoreApplication::translate("ContentTabs", "Monochrome Bitmap Files, as shown")), {"*.BMP"}};
}
FileType PngExport() {
    return {S(QCoreApplication::translate("ContentTabs", "PNG Pictures, as shown")), {"*.PNG"}};
}

// Every format Qt reads here, as name patterns.
FileType PictureFiles(const QString& description) {
    FileType type{S(description), {}};
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        type.patterns.push_back("*." + format.toUpper().toStdString());
    return type;
}

// File > Open's entries past the content types: pictures, into each tab.
constexpr Tab kPictureOpenTabs[] = {Tab::OperatorLogo, Tab::GroupGraphic, Tab::PictureMessage};
constexpr int kContentOpenTypes = 4;

QString TabTitle(Tab tab) {
    return tab == Tab::OperatorLogo   ? QCoreApplication::translate("ContentTabs", "Operator Logo")
           : tab == Tab::GroupGraphic ? QCoreApplication::translate("ContentTabs", "Group Graphic")
                                      : QCoreApplication::translate("ContentTabs", "Picture Message");
}

int RowsOf(Tab tab) { return tab == Tab::PictureMessage ? 28 : 14; }

// The phone's own animations and sounds, in the order of their numbers.
const char* const kAnimations[] = {QT_TRANSLATE_NOOP("ContentTabs", "[ None ]"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am ironic, flirty"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am glad"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am sceptic"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am sad"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "WOW !"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am crying"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am winking"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am laughing"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am Indifferent"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "In love / Kissing"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am confused"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "Tongue hanging"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "I am angry"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "Wearing glasses"),
                                   QT_TRANSLATE_NOOP("ContentTabs", "Devil")};
const char* const kSounds[] = {
    QT_TRANSLATE_NOOP("ContentTabs", "[ None ]"),   QT_TRANSLATE_NOOP("ContentTabs", "Chimes high"),
    QT_TRANSLATE_NOOP("ContentTabs", "Chimes low"), QT_TRANSLATE_NOOP("ContentTabs", "Ding"),
    QT_TRANSLATE_NOOP("ContentTabs", "TaDa"),       QT_TRANSLATE_NOOP("ContentTabs", "Notify"),
    QT_TRANSLATE_NOOP("ContentTabs", "Drum"),       QT_TRANSLATE_NOOP("ContentTabs", "Claps"),
    QT_TRANSLATE_NOOP("ContentTabs", "Fanfar"),     QT_TRANSLATE_NOOP("ContentTabs", "Chord high"),
    QT_TRANSLATE_NOOP("ContentTabs", "Chord low")};

} // namespace

ContentTabs::ContentTabs(Ui::TForm1& ui, QWidget& window, Prompter& prompter, TunePlayer& player,
                         StatusSink showStatus)
    : m_ui(ui), m_window(window), m_prompter(prompter), m_player(player),
      m_showStatus(std::move(showStatus)) {}

void ContentTabs::FillControls() {
    for (const char* a : kAnimations)
        m_ui.cboAnimation->addItem(tr(a));
    for (const char* s : kSounds)
        m_ui.cboSound->addItem(tr(s));
    showPreview(PreviewImage{});
    // Hex reads in columns.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QPlainTextEdit* memo : {m_ui.memHexLogo, m_ui.memHexGG, m_ui.memHexPM, m_ui.memHexRT})
        memo->setFont(fixed);
}

Tab ContentTabs::current() const { return TabAt(m_ui.PageControl1->currentIndex()).value_or(Tab::TextSms); }

void ContentTabs::select(Tab tab) {
    m_selecting = true;
    m_ui.PageControl1->setCurrentIndex(IndexOf(tab));
    m_selecting = false;
    syncEditor();
}

// The widgets of the four pages that hold content from a file.
std::optional<ContentTabs::Page> ContentTabs::page(Tab tab) const {
    switch (tab) {
    case Tab::OperatorLogo:
        return Page{m_ui.txtLogoFile, m_ui.memHexLogo, m_ui.bitBrowse};
    case Tab::GroupGraphic:
        return Page{m_ui.txtGroupFile, m_ui.memHexGG, m_ui.bitBrowseGG};
    case Tab::PictureMessage:
        return Page{m_ui.txtPMFile, m_ui.memHexPM, m_ui.bitBrowsePM};
    case Tab::Ringtone:
        return Page{m_ui.txtRTFile, m_ui.memHexRT, m_ui.bitBrowseRT};
    default:
        return std::nullopt;
    }
}

// The file label names what the page holds; the EMS composer starts afresh.
void ContentTabs::entered(Tab tab) {
    if (const auto p = page(tab))
        m_ui.lblFName->setText(p->file->text());
    else if (tab == Tab::TextSms)
        m_ui.lblFName->clear();
    if (tab == Tab::Ems) {
        m_ui.cboAnimation->setCurrentIndex(0);
        m_ui.cboSound->setCurrentIndex(0);
        m_ui.memEMS->setFocus();
    }
    syncEditor();
}

QPlainTextEdit* ContentTabs::memo(Tab tab) const {
    const auto p = page(tab);
    return p ? p->memo : nullptr;
}

QWidget* ContentTabs::source(Tab tab) const {
    const auto p = page(tab);
    return p ? p->browse : nullptr;
}

void ContentTabs::browse(OpenCommand command, Tab tab) {
    FileFilter filter = OpenFilter(command);
    if (tab != Tab::Ringtone)
        filter.types.push_back(PictureFiles(tr("Pictures")));
    const auto choice = m_prompter.OpenFile(&m_window, filter);
    if (!choice.path.isEmpty())
        load(tab, choice.path);
}

void ContentTabs::open() {
    FileFilter filter = OpenFilter(OpenCommand::FileOpen);
    filter.types.push_back(PictureFiles(tr("Pictures as an Operator Logo")));
    filter.types.push_back(PictureFiles(tr("Pictures as a Group Graphic")));
    filter.types.push_back(PictureFiles(tr("Pictures as a Picture Message")));
    const auto choice = m_prompter.OpenFile(&m_window, filter);
    if (choice.path.isEmpty())
        return;
    const int picture = choice.filterIndex - kContentOpenTypes - 1;
    const auto kind = picture >= 0 && picture < 3 ? std::optional(KindOf(kPictureOpenTabs[picture]))
                                                  : KindOfOpenFilter(choice.filterIndex);
    if (!kind)
        return;
    load(TabOf(*kind), choice.path);
    select(TabOf(*kind));
}

bool ContentTabs::load(Tab tab, const QString& path) {
    if (tab == Tab::Ringtone)
        return loadRingtone(path);
    if (tab == Tab::Ems)
        return loadEmsPicture(path);
    return page(tab) && loadPicture(tab, path);
}

// A file the reader refuses leaves the tab as it was and says why.
// A picture that needed converting opens the editor, where its threshold is.
bool ContentTabs::loadPicture(Tab tab, const QString& path) {
    const ConvertOptions options = m_editor ? m_editor->options() : ConvertOptions{};
    auto picture = LoadAnyTabContent(KindOf(tab), S(path), options);
    if (!picture) {
        m_prompter.Warning(&m_window, Localized(picture.error()));
        return false;
    }
    const LoadedContent& loaded = picture->loaded;
    const Page p = *page(tab);
    TabBitmap& b = *bitmap(tab);
    b = {loaded.previewWidth > 0 ? loaded.previewWidth : 72, std::move(picture.value().fitted), false};
    p.file->setText(path);
    m_ui.lblFName->setText(path);
    m_ui.mnuFSaveAs->setEnabled(true);
    setMemo(tab, loaded.content);
    const bool fromBitmap = loaded.reader == ContentReader::Bitmap;
    showPreview(DrawPreview(loaded.content, loaded.tall, loaded.previewWidth));
    if (b.fitted) {
        m_showStatus(tr("Converted to %1 x %2 pixels; the Picture Editor sets the threshold.")
                         .arg(b.fitted->width)
                         .arg(b.fitted->height));
        showEditor();
        return true;
    }
    const QString note = SizeNote(loaded, fromBitmap);
    if (!note.isEmpty())
        m_showStatus(note);
    if (current() == tab)
        syncEditor();
    return true;
}

bool ContentTabs::loadRingtone(const QString& path) {
    const auto tune = ReadRingtoneFile(S(path));
    if (!tune) {
        m_prompter.Warning(&m_window, Localized(tune.error()));
        return false;
    }
    stopTune();
    m_ui.txtRTFile->setText(path);
    m_ui.lblFName->setText(path);
    m_ui.mnuFSaveAs->setEnabled(true);
    m_ui.memHexRT->setPlainText(Q(tune->content));
    setRtttl(FromFile(tune->rtttl));
    m_ui.lblTitle->setText(tr("Title = %1").arg(FromFile(tune->title)));
    m_ui.lblTempo->setText(tr("Tempo = %1").arg(FromFile(tune->tempoText)));
    offerRingtoneCut(tune->rtttl);
    showRtttlCheck();
    return true;
}

// About one published tune in six is too long for one message: rather than
// have the send refused, offer the first notes that fit.
void ContentTabs::offerRingtoneCut(const std::string& rtttl) {
    if (RingtoneFits(rtttl))
        return;
    const RingtoneFit fit = FitRingtone(rtttl);
    const QString question = tr("This tune has %1 notes; one message carries the first %2 of them.\n"
                                "Send the first %2 notes?")
                                 .arg(fit.notes)
                                 .arg(fit.fitting);
    if (!m_prompter.Ask(&m_window, question)) {
        m_showStatus(tr("The tune is too long for one message: only the first %1 of its %2 notes fit.")
                         .arg(fit.fitting)
                         .arg(fit.notes));
        return;
    }
    m_ui.memHexRT->setPlainText(Q(fit.content));
    m_showStatus(
        tr("The ringtone ends after note %1 of %2, so it fits one message.").arg(fit.fitting).arg(fit.notes));
}

// A converted picture takes the editor's threshold and dither as they are.
bool ContentTabs::loadEmsPicture(const QString& path) {
    const auto picture = LoadAnyEmsPicture(S(path), m_editor ? m_editor->options() : ConvertOptions{});
    if (!picture) {
        m_prompter.Warning(&m_window, Localized(picture.error()));
        return false;
    }
    m_ui.memEMS->setPlainText(Q(picture->tag));
    m_emsPicture.reset();
    if (picture->fitted) {
        const ConvertOptions options = m_editor ? m_editor->options() : ConvertOptions{};
        std::string content = ThresholdPicture(*picture->fitted, options);
        m_emsPicture = EmsBitmap{std::move(*picture->fitted), std::move(content), Q(picture->tag)};
        m_showStatus(tr("Converted to %1 x %2 pixels; the Picture Editor sets the threshold.")
                         .arg(m_emsPicture->fitted.width)
                         .arg(m_emsPicture->fitted.height));
        showEditor();
    }
    return true;
}

// The 72 x 28 screen at twice its size, so a pixel is clearly seen.
void ContentTabs::showPreview(const PreviewImage& preview) {
    m_ui.imgShow->setPixmap(PreviewPicture(preview));
    m_ui.imgShow->setAccessibleDescription(m_ui.lblFName->text());
}

void ContentTabs::saveAs() {
    const MessageKind kind = KindOf(current());
    if (!CanSaveAs(kind))
        return;
    const std::string label = S(m_ui.lblFName->text());
    // A file copied now would lose what was typed since it was loaded.
    if ((label.empty() && kind != MessageKind::Ems) || (kind == MessageKind::Ringtone && m_rtttlTyped)) {
        saveReceived(kind);
        return;
    }
    const TabBitmap* b = bitmap(current());
    // Pixels converted from a picture or changed in the editor are not in
    // the loaded file: a copy of it would not be what the tab shows, so
    // only a content file or a picture as shown is offered.
    const bool notAsLoaded = b && (b->fitted || b->edited);
    if (notAsLoaded)
        m_saveTypes = {ReceivedSaveType(kind)};
    else if (const auto types = SaveFilter(kind, label))
        m_saveTypes = *types; // otherwise the dialog keeps its last one
    else if (b && m_saveTypes.empty())
        m_saveTypes = {ReceivedSaveType(kind)};
    std::vector<FileType> offered = m_saveTypes;
    if (b)
        offered.insert(offered.end(), {BmpExport(), PngExport()});
    const auto choice = m_prompter.SaveFile(&m_window, {offered, 1});
    if (choice.path.isEmpty())
        return;
    const auto chosen = static_cast<std::size_t>(choice.filterIndex);
    if (b && chosen > m_saveTypes.size() && chosen <= offered.size()) {
        exportPicture(current(), offered[chosen - 1], choice.path);
        return;
    }
    // The content file's own extension, so it is written from the memo.
    const std::string destination = notAsLoaded
                                        ? WithExtensionOf(m_saveTypes.front(), S(choice.path))
                                        : SaveDestination(kind, choice.filterIndex, S(choice.path), label);
    const ContentMemos memos{S(m_ui.memHexLogo->toPlainText()), S(m_ui.memHexGG->toPlainText()),
                             S(m_ui.memHexPM->toPlainText())};
    const auto saved = SaveContentAs(notAsLoaded ? std::string() : label, destination, memos);
    if (!saved) {
        m_prompter.Warning(&m_window, Localized(saved.error()));
        return;
    }
    m_ui.lblFName->setText(Q(*saved));
    m_showStatus(tr("Saved %1").arg(Q(*saved)));
}

// A 1-bit BMP or a PNG of the memo's pixels, as the editor shows them.
bool ContentTabs::exportPicture(Tab tab, const FileType& type, const QString& chosen) {
    const std::string destination = WithExtensionOf(type, S(chosen));
    const std::string content = NormaliseContentHex(S(memo(tab)->toPlainText()));
    const int width = bitmap(tab)->width;
    const int rowOctets = (width + 7) / 8;
    const int height = std::max(static_cast<int>(content.size() / 2) / rowOctets, 1);
    Result<std::string> saved = Result<std::string>::Fail("");
    if (type == PngExport()) {
        saved = WritePicturePng(destination, width, height, content);
    } else {
        saved = WriteFileAtomically(destination, EncodeBitmap(width, height, content));
        if (!saved)
            saved = Result<std::string>::Fail(CannotWrite(destination, saved.error()));
    }
    if (!saved) {
        m_prompter.Warning(&m_window, Localized(saved.error()));
        return false;
    }
    m_showStatus(tr("Saved %1").arg(Q(destination)));
    return true;
}

// Content that came in a message, or was typed, has no file to copy: it is
// written as the kind's own file, a tune as its RTTTL line.
void ContentTabs::saveReceived(MessageKind kind) {
    const FileType type = ReceivedSaveType(kind);
    const auto choice = m_prompter.SaveFile(&m_window, {{type}, 1});
    if (choice.path.isEmpty())
        return;
    const std::string destination = WithExtensionOf(type, S(choice.path));
    const auto p = page(current());
    Result<std::string> saved = Result<std::string>::Fail("");
    if (kind == MessageKind::Ringtone) {
        // The tune's line as it came: ISO-8859-1, as the phone sent its title.
        const QByteArray line = m_ui.memRTTTL->toPlainText().toLatin1() + "\r\n";
        saved = WriteFileAtomically(
            destination, std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
        if (!saved)
            saved = Result<std::string>::Fail(CannotWrite(destination, saved.error()));
    } else {
        const char* title = kind == MessageKind::Logo    ? kLogoFileTitle
                            : kind == MessageKind::Group ? kGroupFileTitle
                                                         : kPictureFileTitle;
        saved = WriteContentFile(destination, S(p->memo->toPlainText()), title);
    }
    if (!saved) {
        m_prompter.Warning(&m_window, Localized(saved.error()));
        return;
    }
    p->file->setText(Q(destination));
    m_ui.lblFName->setText(Q(destination));
    if (kind == MessageKind::Ringtone)
        m_rtttlTyped = false; // the file now holds the text
    m_showStatus(tr("Saved %1").arg(Q(destination)));
}

// A picture goes to the picture tab shown, else to the operator logo.
std::optional<Tab> ContentTabs::tabForDroppedFile(const QString& path) const {
    const QString suffix = QFileInfo(path).suffix().toUpper();
    const Tab shown = current();
    if (suffix == "NOL" || suffix == "VOL")
        return Tab::OperatorLogo;
    if (suffix == "NGG" || suffix == "VGG")
        return Tab::GroupGraphic;
    if (suffix == "VPM")
        return Tab::PictureMessage;
    if (suffix == "TXT" || suffix == "RTTTL" || suffix == "RTX")
        return Tab::Ringtone;
    // Named as a picture, it is loaded as one, and refused as one when Qt
    // cannot read it.
    if (suffix == "BMP" || IsPictureName(S(path)) || IsPictureFile(S(path))) {
        if (shown == Tab::GroupGraphic || shown == Tab::PictureMessage || shown == Tab::Ems)
            return shown;
        return Tab::OperatorLogo;
    }
    return std::nullopt;
}

void ContentTabs::drop(const QString& path) {
    const auto tab = tabForDroppedFile(path);
    if (!tab) {
        m_prompter.Warning(
            &m_window, tr("Velmora loads pictures (PNG, JPEG, GIF, BMP, SVG) and NOL, NGG, VOL, VGG, VPM and "
                          "RTTTL files; %1 is none of these.")
                           .arg(QFileInfo(path).fileName()));
        return;
    }
    if (load(*tab, path))
        select(*tab);
}

// Nothing names a file: Save As then writes a content file from the memo.
std::optional<Tab> ContentTabs::TabFor(const ReadMessage& m) {
    return m.content.empty()                 ? std::nullopt
           : m.kind == ContentKind::Logo     ? std::optional(Tab::OperatorLogo)
           : m.kind == ContentKind::Group    ? std::optional(Tab::GroupGraphic)
           : m.kind == ContentKind::Picture  ? std::optional(Tab::PictureMessage)
           : m.kind == ContentKind::Ringtone ? std::optional(Tab::Ringtone)
                                             : std::nullopt;
}

bool ContentTabs::showReceived(const ReadMessage& m) {
    const std::optional<Tab> tab = TabFor(m);
    if (!tab)
        return false;
    const Page p = *page(*tab);
    p.file->clear();
    m_ui.lblFName->clear();
    if (TabBitmap* b = bitmap(*tab))
        *b = {m.width > 0 ? m.width : 72, std::nullopt, false};
    setMemo(*tab, m.content);
    if (*tab == Tab::Ringtone) {
        stopTune();
        setRtttl(FromPhone(m.rtttl));
        showRtttlCheck();
        m_ui.lblTitle->setText(tr("Title = %1").arg(FromPhone(m.title)));
        m_ui.lblTempo->setText(tr("Tempo = %1").arg(m.tempo));
    } else {
        if (*tab == Tab::OperatorLogo) {
            m_ui.txtMCC->setText(Q(m.mcc));
            m_ui.txtNC->setText(Q(m.nc));
        }
        showPreview(DrawPreview(m.content, *tab == Tab::PictureMessage, m.width));
    }
    m_ui.mnuFSaveAs->setEnabled(true);
    select(*tab);
    return true;
}

ContentTabs::TabBitmap* ContentTabs::bitmap(Tab tab) {
    switch (tab) {
    case Tab::OperatorLogo:
        return &m_bitmaps[0];
    case Tab::GroupGraphic:
        return &m_bitmaps[1];
    case Tab::PictureMessage:
        return &m_bitmaps[2];
    default:
        return nullptr;
    }
}

void ContentTabs::setMemo(Tab tab, const std::string& content) {
    m_settingMemo = true;
    memo(tab)->setPlainText(Q(content));
    m_settingMemo = false;
}

void ContentTabs::redrawPreview(Tab tab) {
    showPreview(DrawPreview(NormaliseContentHex(S(memo(tab)->toPlainText())), tab == Tab::PictureMessage,
                            bitmap(tab)->width));
}

void ContentTabs::showEditor() {
    if (!m_editor)
        return;
    m_editor->show();
    m_editor->raise();
    syncEditor();
}

// The editor follows the tab shown, with what its memo holds now.
void ContentTabs::syncEditor() {
    if (!m_editor || !m_editor->isVisible())
        return;
    const Tab tab = current();
    const TabBitmap* b = bitmap(tab);
    if (tab == Tab::Ems && syncEmsEditor())
        return;
    if (!b) {
        m_editor->setNoPicture(
            tr("The Picture Editor draws the bitmap of the Operator Logo, Group Graphic and "
               "Picture Message tabs, and a picture converted into the EMS text."));
        return;
    }
    const std::string content = NormaliseContentHex(S(memo(tab)->toPlainText()));
    const int rowOctets = (b->width + 7) / 8;
    const int rows = std::max(RowsOf(tab), static_cast<int>(content.size() / 2) / rowOctets);
    m_editor->setPicture(TabTitle(tab), b->width, b->fitted ? b->fitted->height : rows, content);
    m_editor->setConvertible(b->fitted.has_value());
}

// Only while the tag converted last is still in the text: what the user
// typed over it is theirs.
bool ContentTabs::syncEmsEditor() {
    if (!m_emsPicture || !m_ui.memEMS->toPlainText().contains(m_emsPicture->tag)) {
        m_emsPicture.reset();
        return false;
    }
    m_editor->setPicture(tr("EMS picture"), m_emsPicture->fitted.width, m_emsPicture->fitted.height,
                         m_emsPicture->content);
    m_editor->setConvertible(true);
    return true;
}

void ContentTabs::replaceEmsPicture(const std::string& content) {
    QString text = m_ui.memEMS->toPlainText();
    const auto at = text.indexOf(m_emsPicture->tag);
    if (at < 0) {
        syncEditor();
        return;
    }
    const QString tag =
        Q(MakeEmsPictureTag(m_emsPicture->fitted.width, m_emsPicture->fitted.height, content));
    text.replace(at, m_emsPicture->tag.size(), tag);
    m_emsPicture->content = content;
    m_emsPicture->tag = tag;
    m_ui.memEMS->setPlainText(text);
}

void ContentTabs::pictureEdited() {
    const Tab tab = current();
    if (tab == Tab::Ems && m_emsPicture && m_editor) {
        replaceEmsPicture(m_editor->content());
        return;
    }
    TabBitmap* b = bitmap(tab);
    if (!b || !m_editor)
        return;
    b->edited = true;
    setMemo(tab, m_editor->content());
    redrawPreview(tab);
}

// Only the kept grey picture is converted again: the file is not read.
void ContentTabs::pictureOptionsChanged() {
    const Tab tab = current();
    if (tab == Tab::Ems && m_emsPicture && m_editor) {
        replaceEmsPicture(ThresholdPicture(m_emsPicture->fitted, m_editor->options()));
        syncEditor();
        return;
    }
    TabBitmap* b = bitmap(tab);
    if (!b || !b->fitted || !m_editor)
        return;
    const std::string content = ThresholdPicture(*b->fitted, m_editor->options());
    b->edited = true;
    setMemo(tab, content);
    redrawPreview(tab);
    m_editor->setPicture(TabTitle(tab), b->fitted->width, b->fitted->height, content);
}

void ContentTabs::memoChanged(Tab tab) {
    if (m_settingMemo || tab != current() || !bitmap(tab))
        return;
    redrawPreview(tab);
    syncEditor();
}

// Tags go in at the caret (at the start of a selection, which stays).
void ContentTabs::insertEmsTag(const char* prefix, int index) {
    if (index <= 0)
        return;
    const QString tag = QString("%1%2]").arg(prefix).arg(index - 1, 2, 10, QChar('0'));
    QTextCursor cursor = m_ui.memEMS->textCursor();
    const int at = cursor.selectionStart();
    QString text = m_ui.memEMS->toPlainText();
    text.insert(at, tag);
    m_ui.memEMS->setPlainText(text);
    cursor = m_ui.memEMS->textCursor();
    cursor.setPosition(at + static_cast<int>(tag.size()));
    m_ui.memEMS->setTextCursor(cursor);
}

// The program's own filling of the text is not the user typing.
void ContentTabs::setRtttl(const QString& line) {
    m_settingRtttl = true;
    m_ui.memRTTTL->setPlainText(line);
    m_settingRtttl = false;
    m_rtttlTyped = false;
}

// The first line counts, as in a file. The file field keeps naming where
// the tune came from; the content is what the line encodes, whole.
void ContentTabs::rtttlEdited() {
    if (m_settingRtttl)
        return;
    stopTune();
    const std::string line = S(m_ui.memRTTTL->toPlainText().section('\n', 0, 0));
    const RingtoneFile tune = RingtoneFromLine(line);
    m_rtttlTyped = true;
    m_ui.memHexRT->setPlainText(Q(tune.content));
    m_ui.lblTitle->setText(tr("Title = %1").arg(Q(tune.title)));
    m_ui.lblTempo->setText(tr("Tempo = %1").arg(Q(tune.tempoText)));
    m_ui.mnuFSaveAs->setEnabled(true);
    showRtttlCheck();
}

// What the content takes of one message, and where the line is not taken
// as written.
void ContentTabs::showRtttlCheck() {
    const std::string line = S(m_ui.memRTTTL->toPlainText().section('\n', 0, 0));
    const auto octets = static_cast<int>(m_ui.memHexRT->toPlainText().trimmed().size() / 2);
    const int room = static_cast<int>(kMaxRingtoneOctets);
    QString text;
    if (octets <= room) {
        text = tr("%1 of %2 octets, %3 left").arg(octets).arg(room).arg(room - octets);
    } else {
        const RingtoneFit fit = FitRingtone(line);
        text = tr("%1 of %2 octets, too long: the first %3 of %4 notes fit")
                   .arg(octets)
                   .arg(room)
                   .arg(fit.fitting)
                   .arg(fit.notes);
    }
    if (const auto fault = FindRingtoneFault(line))
        text += "\n" + Localized(RingtoneFaultText(*fault));
    m_ui.lblRtFit->setText(text);
}

// The tune as the tab would send it: what the content holds, which after a
// cut is only the notes that fit.
void ContentTabs::playTune() {
    const auto tune = ReadRingtone(S(m_ui.memHexRT->toPlainText().trimmed()));
    if (!tune) {
        m_showStatus(tr("The tune cannot be played: %1").arg(Localized(tune.error())));
        return;
    }
    m_player.play(*tune);
}

void ContentTabs::stopTune() { m_player.stop(); }

void ContentTabs::showPlaying(bool playing) {
    const bool hadFocus = m_ui.btnPlay->hasFocus() || m_ui.btnStop->hasFocus();
    m_ui.btnPlay->setEnabled(!playing);
    m_ui.btnStop->setEnabled(playing);
    // Focus follows to the button that can be pressed now.
    if (hadFocus)
        (playing ? m_ui.btnStop : m_ui.btnPlay)->setFocus();
}

} // namespace velmora
