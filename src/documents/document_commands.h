#pragma once

#include <QObject>
#include <QString>

class QImage;

namespace kururie {

class MainWindow;

// The File menu's commands (new, open, save, save as, exit), the hidden settings-only buttons'
// and those of file drops. They own the current document: the file the title names and Save
// writes to.
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

    // How a changed picture is saved when the question is answered はい: to the current document,
    // or under a name asked for, as New does, since the new picture will not be that document.
    enum class SaveTo { Document, NewName };
    // Offers to save a changed picture; false when the picture must be kept: the user abandoned
    // the question, or chose to save and the save did not happen.
    bool maybeSave(SaveTo where = SaveTo::Document);

    // The full path of the current document; empty when there is none.
    const QString& documentName() const { return m_documentName; }
    // Enables Save only for a current document that is a picture: whenever the document changes,
    // and again as the File menu opens.
    void updateSaveEnabled();

    void saveSettingsAlone();
    void loadSettingsAlone();

    // A picture dropped on the canvas opens as the current document, as Open's does.
    void dropPicture(const QString& path);
    // A settings file loaded by itself, dropped or chosen: applied, then the whole preview refreshed.
    void applySettingsFile(const QString& path);

private:
    // The one place the document changes: its name and the title that shows it.
    void setDocument(const QString& path);
    // A picture is decoded only as far as the canvas shows it.
    void showPicture(const QImage& picture, const QString& path);
    void applyCompanionSettings(const QString& picturePath);
    // Save As's proposal: the document itself when Save could write it, else a bitmap beside it.
    QString proposedSaveName() const;
    bool saveDocumentAs(const QString& path);
    bool writePicture(const QString& path);
    bool writeCompanionSettings(const QString& picturePath);
    bool writeSettings(const QString& path);

    MainWindow& m_window;
    QString m_documentName;
};

} // namespace kururie
