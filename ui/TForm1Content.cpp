// The content tabs' handlers, forwarded to ContentTabs, and files dropped
// on the window.

#include "ContentTabs.h"
#include "TForm1.h"

#include "ui_TForm1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace velmora {

void TForm1::bitBrowseClick() { m_content->browse(OpenCommand::BrowseLogo, Tab::OperatorLogo); }
void TForm1::bitBrowseGGClick() { m_content->browse(OpenCommand::BrowseGroup, Tab::GroupGraphic); }
void TForm1::bitBrowsePMClick() { m_content->browse(OpenCommand::BrowsePicture, Tab::PictureMessage); }
void TForm1::bitBrowseRTClick() { m_content->browse(OpenCommand::BrowseRingtone, Tab::Ringtone); }
void TForm1::btnAddPictClick() { m_content->browse(OpenCommand::AddPicture, Tab::Ems); }
void TForm1::mnuFOpenClick() { m_content->open(); }
void TForm1::mnuFSaveAsClick() { m_content->saveAs(); }
void TForm1::cboAnimationChange(int index) { m_content->insertEmsTag("[#ANI", index); }
void TForm1::cboSoundChange(int index) { m_content->insertEmsTag("[#SND", index); }
void TForm1::memRTTTLChange() { m_content->rtttlEdited(); }
void TForm1::btnPlayClick() { m_content->playTune(); }
void TForm1::btnStopClick() { m_content->stopTune(); }
void TForm1::TunePlaying(bool playing) { m_content->showPlaying(playing); }

// Nothing to hear is no reason to stop the user with a message box.
void TForm1::TuneFailed(const QString& why) {
    m_content->showPlaying(false);
    ShowStatus(why);
}

void TForm1::mnuPictureEditorClick() { m_content->showEditor(); }
void TForm1::PictureEdited() { m_content->pictureEdited(); }
void TForm1::PictureOptionsChanged() { m_content->pictureOptionsChanged(); }

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == m_ui->Image1 || watched == m_ui->imgShow)) {
        m_content->showEditor();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
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

void TForm1::DropFile(const QString& path) { m_content->drop(path); }

} // namespace velmora
