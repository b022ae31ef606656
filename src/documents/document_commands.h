#pragma once

#include <QObject>

class QImage;
class QString;

namespace kururie {

class MainWindow;

// The File menu's commands (new, open, save, save as, exit), the hidden settings-only buttons'
// and those of file drops.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    explicit DocumentCommands(MainWindow& window);

    // Each returns whether it did what it was asked; a cancelled dialog counts as not done.
    bool open();
    // Opens a picture file as Open does once its dialog has answered: the picture with its
    // settings, as the current document; a file that cannot be opened is reported.
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    void newPicture();
    void exit();

    // Offers to save a changed picture; false when the picture must be kept: the user abandoned
    // the question, or chose to save and the save did not happen.
    bool maybeSave();

    // Enables Save only for a current document that is a picture: whenever the document changes,
    // and again as the File menu opens.
    void updateSaveEnabled();

    void command1Click();
    void command2Click();

    // A picture dropped on the canvas opens with its settings, but not as the current document.
    void dropPicture(const QString& path);
    // A settings file loaded by itself, dropped or chosen: applied, then the whole preview refreshed.
    void applySettingsFile(const QString& path);

private:
    // A picture is decoded only as far as the canvas shows it.
    void showPicture(const QImage& picture, const QString& path);
    void applyCompanionSettings(const QString& picturePath);
    bool writePicture(const QString& path);
    bool writeCompanionSettings(const QString& picturePath);
    bool writeSettings(const QString& path);
    void reportUnsaved(const QString& path);
    void reportUnopened(const QString& path);

    MainWindow& m_window;
};

} // namespace kururie
