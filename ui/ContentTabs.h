#pragma once

#include "Bitmap.h"
#include "ContentFile.h"
#include "MessageReader.h"
#include "PictureConvert.h"
#include "Preview.h"
#include "Tab.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace Ui {
class TForm1;
}

namespace velmora {

class PictureEditorDialog;
class Prompter;
class TunePlayer;

// The window's content tabs (operator logo, group graphic, picture message,
// ringtone and the EMS composer): files into them, the preview, Save As,
// dropped files and the EMS lists. It owns what the tabs keep between two
// actions; the window forwards its handlers here.
class ContentTabs {
    Q_DECLARE_TR_FUNCTIONS(ContentTabs)

public:
    using StatusSink = std::function<void(const QString&)>;

    ContentTabs(Ui::TForm1& ui, QWidget& window, Prompter& prompter, TunePlayer& player,
                StatusSink showStatus);

    // The lists, the fonts and the empty preview, once at start.
    void FillControls();

    Tab current() const;
    // Shows a page without running what entering it does.
    void select(Tab tab);
    // Whether a page change comes from select() rather than the user.
    bool selecting() const { return m_selecting; }
    // What entering a page does to the content controls.
    void entered(Tab tab);

    // The hex memo and the Browse button of a content tab; null for others.
    QPlainTextEdit* memo(Tab tab) const;
    QWidget* source(Tab tab) const;

    void browse(OpenCommand command, Tab tab);
    // File > Open: the filter the user ends with decides the tab.
    void open();
    void saveAs();
    // A file dropped on the window, into the tab its kind belongs to.
    void drop(const QString& path);
    // A received logo, group graphic, picture or tune into its tab, as if
    // loaded from a file, and a bitmap drawn on the preview; false for a
    // message no tab holds.
    bool showReceived(const ReadMessage& message);
    // The tab a received message goes into; none for what no tab holds.
    static std::optional<Tab> TabFor(const ReadMessage& message);
    // An animation or sound chosen from its list, as a tag at the caret.
    void insertEmsTag(const char* prefix, int index);

    // The RingTone tab's text as the user types it: encoded at once, with
    // its title, tempo, size and first fault shown; Save As then writes it.
    void rtttlEdited();
    // Plays the tune the tab would send; stops it.
    void playTune();
    void stopTune();
    // Play and Stop as the player is.
    void showPlaying(bool playing);
    // The picture editor, which follows the bitmap tab shown.
    void setEditor(PictureEditorDialog* editor) { m_editor = editor; }
    void showEditor();
    // The editor changed pixels, or its threshold or dither.
    void pictureEdited();
    void pictureOptionsChanged();
    // The memo of `tab` changed, typed or set.
    void memoChanged(Tab tab);

private:
    struct Page {
        QLineEdit* file;
        QPlainTextEdit* memo;
        QWidget* browse;
    };
    std::optional<Page> page(Tab tab) const;
    bool load(Tab tab, const QString& path);
    bool loadPicture(Tab tab, const QString& path);
    bool loadRingtone(const QString& path);
    bool loadEmsPicture(const QString& path);
    void offerRingtoneCut(const std::string& rtttl);
    void setRtttl(const QString& line);
    void showRtttlCheck();
    void saveReceived(MessageKind kind);
    void showPreview(const PreviewImage& preview);
    std::optional<Tab> tabForDroppedFile(const QString& path) const;
    // What a bitmap tab holds beyond its memo.
    struct TabBitmap {
        int width = 72;                  // of each row
        std::optional<GreyImage> fitted; // a converted picture, for the threshold
        bool edited = false;             // changed in the editor since loaded
    };
    // A converted picture in the EMS text, while its tag is there: the
    // editor and the threshold change the tag in place.
    struct EmsBitmap {
        GreyImage fitted;
        std::string content;
        QString tag;
    };
    TabBitmap* bitmap(Tab tab);
    void syncEditor();
    bool syncEmsEditor();
    void replaceEmsPicture(const std::string& content);
    void setMemo(Tab tab, const std::string& content);
    void redrawPreview(Tab tab);
    bool exportPicture(Tab tab, const FileType& type, const QString& chosen);

    Ui::TForm1& m_ui;
    QWidget& m_window;
    Prompter& m_prompter;
    TunePlayer& m_player;
    StatusSink m_showStatus;
    bool m_settingRtttl = false; // the program, not the user, is filling the text
    bool m_rtttlTyped = false;   // the text is the user's, not the file's
    bool m_selecting = false;
    std::optional<EmsBitmap> m_emsPicture;
    std::vector<FileType> m_saveTypes; // the save dialog keeps its list when the label names none
    PictureEditorDialog* m_editor = nullptr;
    TabBitmap m_bitmaps[3]; // logo, group graphic, picture message
    bool m_settingMemo = false;
};

} // namespace velmora
