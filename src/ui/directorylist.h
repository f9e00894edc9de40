#pragma once

#include <QListWidget>
#include <QString>

namespace ui {

// A list of folders: the chain from the drive's root down to the current folder, then the
// subfolders of the current folder (hidden ones too, so a Wine prefix can be reached). Opening a
// folder (double click or Enter) makes it the current folder, whose full path is the list's path.
class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // The current folder, in the system's own notation.
    QString path() const { return path_; }

    // Makes path the current folder. A drive's root such as "C:\" stands for the folder
    // driveRootFolder gives: on a POSIX system the pilot's Wine C: drive when there is one, else
    // "/".
    void setPath(const QString& path);

Q_SIGNALS:
    void pathChanged(const QString& path);

private:
    void refresh();

    QString path_;
};

} // namespace ui
