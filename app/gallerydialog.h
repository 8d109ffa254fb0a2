// Help > Gallery...: the gallery's programs, each with a picture and a line on what it shows. The
// chosen program opens as a copy in the user's data folder, so that the original stays as it is.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class CMainFrame;
class QLabel;
class QListWidget;

struct SGalleryEntry {
    QString name;         // the file name without .ts3
    QString title;        // a few words
    QString description;  // what it shows
    QString file;         // the program's path
    QString picture;      // its picture's path, or empty
};

// The folder holding the gallery and its index (installed beside the program, else the source
// tree's), or empty when there is none.
QString FindGalleryFolder();

// The programs that `folder`/gallery.index lists, in its order, each only when its file exists.
std::vector<SGalleryEntry> ReadGalleryIndex(const QString& folder);

// Copies `file` into `folder` (made when missing) under a name not taken there yet: NAME.ts3,
// else NAME-2.ts3, NAME-3.ts3, ... The copy's path, or empty when it could not be written.
QString CopyForEditing(const QString& file, const QString& folder);

class CGalleryDialog : public QDialog {
    Q_OBJECT

public:
    CGalleryDialog(const std::vector<SGalleryEntry>& entries, QWidget* parent);
    // The row of the chosen program, or -1.
    int Chosen() const;
    QListWidget* List() const { return m_list; }

private:
    void ShowDescription();

    std::vector<SGalleryEntry> m_entries;
    QListWidget* m_list;
    QLabel* m_text;
};

// The command: shows the dialog and opens a copy of the chosen program in the frame.
void ShowGallery(CMainFrame* frame);
