#include "ui/directorylist.h"

#include "files/winpath.h"
#include "ui/driveroot.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace ui {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndent = 10;

// Draws each folder indented by its depth below the root.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.setLeft(option.rect.left() + kIndent * index.data(kLevelRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

// The folder of a drive's root for a name such as "C:\"; any other path as it is.
QString driveRoot(const QString& path) {
    const std::optional<files::DriveName> drive = files::splitDrive(path);
    const bool root = drive && (drive->rest.isEmpty() || drive->rest == QLatin1String("\\") ||
                                drive->rest == QLatin1String("/"));
    if (!root) {
        return path;
    }
    return driveRootFolder(drive->letter);
}

} // namespace

DirectoryList::DirectoryList(QWidget* parent)
    : QListWidget(parent) {
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(kPathRole).toString()); });
}

void DirectoryList::setPath(const QString& path) {
    const QString folder =
        QDir::toNativeSeparators(QDir::cleanPath(QDir(driveRoot(path)).absolutePath()));
    if (folder == path_) {
        return;
    }
    path_ = folder;
    refresh();
    Q_EMIT pathChanged(path_);
}

void DirectoryList::refresh() {
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);

    QStringList chain; // from the current folder up to the root
    for (QDir dir(path_);;) {
        chain.prepend(QDir::toNativeSeparators(dir.absolutePath()));
        if (dir.isRoot() || !dir.cdUp()) {
            break;
        }
    }
    int level = 0;
    for (const QString& folder : chain) {
        const QString name = level == 0 ? folder : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(openIcon, name, this);
        item->setData(kPathRole, folder);
        item->setData(kLevelRole, level++);
    }
    setCurrentRow(count() - 1);
    QListWidgetItem* current = currentItem();

    const QStringList subfolders = QDir(path_).entryList(
        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        auto* item = new QListWidgetItem(closedIcon, name, this);
        item->setData(kPathRole, QDir::toNativeSeparators(QDir(path_).filePath(name)));
        item->setData(kLevelRole, level);
    }
    // At a drive's root, the system's other drives follow its folders (Windows: "D:\", the
    // drive a moved Documents folder may stand on; a POSIX system has one root and none).
    if (QDir(path_).isRoot()) {
        const QIcon driveIcon = style()->standardIcon(QStyle::SP_DriveHDIcon);
        for (const QFileInfo& drive : QDir::drives()) {
            const QString root = QDir::toNativeSeparators(drive.absoluteFilePath());
            if (root.compare(path_, Qt::CaseInsensitive) != 0) {
                auto* item = new QListWidgetItem(driveIcon, root, this);
                item->setData(kPathRole, root);
                item->setData(kLevelRole, 0);
            }
        }
    }
    // The current folder at the top, so that its subfolders are in view; the chain above it
    // fills whatever room they leave.
    scrollToItem(current, QAbstractItemView::PositionAtTop);
}

} // namespace ui
