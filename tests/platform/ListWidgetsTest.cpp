#include "platform/DirList.h"
#include "platform/DirScan.h"
#include "platform/DriveList.h"
#include "platform/Drives.h"
#include "platform/FileList.h"

#include "../QtPrinters.h"
#include "FixedVolumes.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrel;

namespace {

// A ROM folder with the awkward cases a user's disk really has.
class ListWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = tmp.path();
        for (const char* name : {"b.ZIP", "a.zip", "A.zip", "A.ZIP", "C.Zip", "x.zip", "X.zip", "Puzzle Bobble [!].zip",
                                 "Été.zip", "readme.txt", "shot.JPG", "pic.bmp", "README", ".x.zip"})
            touch(name);
        for (const char* name : {"romzip", "folder.zip", "Empty", ".hidden"})
            ASSERT_TRUE(QDir(root).mkdir(QString::fromUtf8(name)));
        ASSERT_EQ(::symlink("romzip", bytes("linkdir")), 0);
        ASSERT_EQ(::symlink("a.zip", bytes("link.zip")), 0);
        ASSERT_EQ(::symlink("missing.zip", bytes("dangling.zip")), 0);
        // Latin-1 "ÿ" is not UTF-8: unlistable without damage, and QDir cannot remove it.
        ASSERT_EQ(::close(::open(bytes("\xff" "bad.zip").constData(), O_CREAT | O_WRONLY, 0644)), 0);
    }
    void TearDown() override { ::unlink(bytes("\xff" "bad.zip").constData()); }

    QByteArray bytes(const char* name) const { return QFile::encodeName(root) + '/' + name; }
    QString at(const char* name) const { return root + u'/' + QString::fromUtf8(name); }
    void touch(const char* name) const { QFile f(at(name)); ASSERT_TRUE(f.open(QIODevice::WriteOnly)); }

    QTemporaryDir tmp;
    QString root;
    FixedVolumes mounts;
    Drives memory{mounts};
};

const QStringList zips = {"A.ZIP", "A.zip", "a.zip", "b.ZIP", "C.Zip",
                          "link.zip", "Puzzle Bobble [!].zip", "X.zip", "x.zip", "Été.zip"};

void show(QWidget& view)
{
    view.resize(320, 480);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
}

QPoint rowCenter(const QListView& view, int row) { return view.visualRect(view.model()->index(row, 0)).center(); }

} // namespace

TEST_F(ListWidgets, ScanListsWhatTheUserExpects)
{
    const DirScanResult scan = scanDirectory(root, FilePattern("*.ZIP"));
    // Case-blind order, exact bytes breaking ties; no folders, hidden, dangling or undecodable names.
    EXPECT_EQ(scan.files, zips);
    EXPECT_EQ(scan.dirs, QStringList({"Empty", "folder.zip", "linkdir", "romzip"}));

    EXPECT_EQ(scanDirectory(root, FilePattern("*.BMP; *.jpg;*.TXT")).files,
              QStringList({"pic.bmp", "readme.txt", "shot.JPG"}));
    EXPECT_TRUE(scanDirectory(root, FilePattern("*.*")).files.contains("README"));
    EXPECT_EQ(scanDirectory(root, FilePattern("?.zip")).files, QStringList(zips.mid(0, 5) + QStringList{"X.zip", "x.zip"}));
    EXPECT_EQ(scanDirectory(root, FilePattern("???.ZIP;été*")).files, QStringList({"Été.zip"}));
    EXPECT_TRUE(FilePattern("p*[!]*").matches(QString("Puzzle Bobble [!].zip")));
    EXPECT_FALSE(FilePattern("*.zip").matches(QString("zip")));

    EXPECT_FALSE(scanDirectory(at("missing"), FilePattern()).ok || scanDirectory(at("a.zip"), FilePattern()).ok);

    EXPECT_EQ(cleanDirectoryPath("//a/./b/../c/"), "/a/c");
    EXPECT_EQ(cleanDirectoryPath("/../.."), "/");
    EXPECT_EQ(cleanDirectoryPath("x/.."), cleanDirectoryPath(QDir::currentPath()));
}

TEST_F(ListWidgets, FileListSelectionAndSignals)
{
    FileList list;
    show(list);
    QSignalSpy paths(&list, &FileList::pathChanged), clicks(&list, &FileList::clicked),
        downs(&list, &FileList::mouseDown);
    list.setPattern("*.zip");
    list.setPath(root + "//");
    EXPECT_TRUE(list.path() == root && paths.count() == 1);
    // mouseDown comes before the selection moves; clicked() at every click on a file and every key moving it.
    int rowAtMouseDown = -2;
    QObject::connect(&list, &FileList::mouseDown, [&] { rowAtMouseDown = list.selectedRow(); });
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCenter(list, 3));
    EXPECT_EQ(rowAtMouseDown, -1);
    EXPECT_EQ(list.fileName(), "b.ZIP");
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCenter(list, 3));
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 3);
    QTest::keyClick(&list, Qt::Key_End);
    QTest::keyClick(&list, Qt::Key_End);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 4);

    // Right and middle presses leave selection and current row for the pop-up menu.
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        downs.clear();
        QTest::mouseClick(list.viewport(), button, Qt::ShiftModifier, rowCenter(list, 0));
        ASSERT_EQ(downs.count(), 1);
        EXPECT_EQ(downs[0][0].value<Qt::MouseButton>(), button);
        EXPECT_TRUE(list.selectedRow() == zips.size() - 1 && list.currentIndex().row() == zips.size() - 1);
    }

    // Re-reading sees new files and clears the selection silently; Down then picks the first file.
    touch("0new.zip");
    list.refresh();
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.fileName(), "0new.zip");
    list.setPath(root);
    EXPECT_EQ(paths.count(), 2);
    EXPECT_EQ(list.selectedRow(), -1);
    list.selectRow(4);
    EXPECT_EQ(clicks.count(), 6);

    list.setPattern("*.txt;*.BMP");
    EXPECT_TRUE(paths.count() == 2 && list.count() == 2 && list.selectedRow() == -1);
}

TEST_F(ListWidgets, FileListKeepsAChosenFileAgainstTheUser)
{
    FileList list;
    show(list);
    list.setPattern("*.zip");
    list.setPath(root);
    QSignalSpy clicks(&list, &FileList::clicked);
    const QPoint below(10, list.viewport()->height() - 3);
    ASSERT_FALSE(list.indexAt(below).isValid());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, rowCenter(list, 2));
    ASSERT_EQ(list.fileName(), "a.zip");

    // Nothing the user does empties the selection; Ctrl+click still moves it, as a click on its new file.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, rowCenter(list, 2));
    QTest::keyClick(&list, Qt::Key_Space, Qt::ControlModifier);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, below);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, below);
    QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list.fileName(), "a.zip");
    EXPECT_EQ(list.selectionModel()->selectedIndexes().size(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, rowCenter(list, 4));
    EXPECT_EQ(list.fileName(), "C.Zip");
    EXPECT_EQ(clicks.count(), 3);

    // Refreshing for the user's own return keeps the file while it is there, silently.
    touch("0new.zip");
    list.refreshKeepingSelection();
    EXPECT_TRUE(list.selectedRow() == 5 && clicks.count() == 3);
    ASSERT_TRUE(QFile::remove(at("C.Zip")));
    list.refreshKeepingSelection();
    EXPECT_EQ(list.selectedRow(), -1);
}

TEST_F(ListWidgets, DirListWalksTheTree)
{
    DirList list(memory);
    show(list);
    QSignalSpy paths(&list, &DirList::pathChanged), downs(&list, &DirList::mouseDown);
    ASSERT_TRUE(list.setPath(root + "/romzip/../"));
    EXPECT_TRUE(list.path() == root && paths.count() == 1);

    // The way down from "/", then the children one step further in.
    const int here = list.pathRow();
    EXPECT_EQ(here, root.count('/'));
    EXPECT_TRUE(list.itemPath(0) == "/" && list.itemPath(here) == root);
    ASSERT_EQ(list.count(), here + 5);

    // Refused: nothing changes, nothing raised; the same path only re-reads. (Root reads any directory.)
    EXPECT_FALSE(list.setPath(at("missing")) || list.setPath(at("a.zip")));
    if (::geteuid() != 0 && ::chmod(bytes("Empty").constData(), 0) == 0) {
        EXPECT_FALSE(list.setPath(at("Empty")));
        ::chmod(bytes("Empty").constData(), 0755);
    }
    EXPECT_TRUE(list.setPath(root));
    EXPECT_EQ(paths.count(), 1);

    // A right click neither selects nor opens.
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, rowCenter(list, here + 1));
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(list.currentIndex().row(), here);

    // Double click opens a row; a link keeps its name.
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rowCenter(list, here + 3));
    EXPECT_EQ(list.path(), root + "/linkdir");

    // The shown directory vanishing sends the list to its parent.
    ASSERT_TRUE(list.setPath(at("Empty")));
    ASSERT_TRUE(QDir(root).rmdir("Empty"));
    paths.clear();
    list.refresh();
    EXPECT_TRUE(paths.count() == 1 && list.path() == root);

    // The root is its own only ancestor.
    ASSERT_TRUE(list.setPath("/"));
    EXPECT_EQ(list.pathRow(), 0);
    EXPECT_EQ(list.itemPath(1).lastIndexOf('/'), 0);
}

TEST_F(ListWidgets, DrivesAndTheirCurrentDirectories)
{
    // The system's own table: "/" first, in order, and the folder on the volume the system says holds it.
    const QtVolumes system;
    Drives real(system);
    const QStringList listed = real.mountPoints();
    EXPECT_EQ(listed.value(0), "/");
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    const QString holder = QStorageInfo(root).rootPath();
    EXPECT_EQ(real.volumeOf(root + "/romzip"), listed.contains(holder) ? holder : "/");

    const QString cwd = cleanDirectoryPath(QDir::currentPath());
    mounts.table = {{"/media/usb2", "", "ext4"}, {"/media/usb/", "MYSTICK", "vfat"}, {"/run/user/1000", "", "tmpfs"},
                    {"/run/media/me/CARD", "CARD", "exfat"}, {"/snap/core/1", "", "squashfs"},
                    {"/srv/chroot/dev", "", "devtmpfs"}, {root, "", "ext4"}};
    memory.list();
    EXPECT_EQ(memory.mountPoints(), QStringList({"/", "/media/usb", "/media/usb2", "/run/media/me/CARD", root}));
    EXPECT_EQ(memory.volumeOf("/media/usb2/roms") + memory.volumeOf("/media/usbx"), "/media/usb2/");

    // First the process's own directory on its volume, the mount point elsewhere; then where a DirList last was.
    EXPECT_EQ(memory.currentDirectoryOf(memory.volumeOf(cwd)), cwd);
    EXPECT_EQ(memory.currentDirectoryOf(root), root);
    DirList dirs(memory);
    ASSERT_TRUE(dirs.setPath(at("romzip")));
    ASSERT_TRUE(dirs.setPath("/"));
    EXPECT_EQ(memory.currentDirectoryOf(root), at("romzip"));
    ASSERT_TRUE(QDir(root).rmdir("romzip"));
    EXPECT_EQ(memory.currentDirectoryOf(root), root);

    DriveList drives(memory);
    QSignalSpy changed(&drives, &DriveList::driveChanged), downs(&drives, &DriveList::mouseDown);
    EXPECT_EQ(drives.drive(), memory.volumeOf(cwd));
    EXPECT_EQ(drives.itemText(1), "/media/usb  [MYSTICK]");
    drives.setDrive("/media/usb");
    drives.setDrive("/media/usb");
    QTest::keyClick(&drives, Qt::Key_Down);   // the user picks the next one
    EXPECT_TRUE(changed.count() == 2 && drives.drive() == "/media/usb2");
    QTest::mouseClick(&drives, Qt::RightButton);
    EXPECT_TRUE(downs.count() == 1 && !drives.view()->isVisible());

    // A pulled stick gives way to the volume holding its path.
    drives.refresh();
    EXPECT_EQ(changed.count(), 2);
    mounts.table.removeAt(0);
    drives.refresh();
    EXPECT_TRUE(changed.count() == 3 && drives.drive() == "/");
}

TEST_F(ListWidgets, SelectionReadsOnABlackList)
{
    QWidget owner;
    owner.setStyleSheet("background:black;color:white");
    FileList* list = new FileList(&owner);
    list->setPath(root);
    list->resize(320, 200);
    show(owner);
    list->selectRow(1);
    const QRect row = list->visualRect(list->model()->index(1, 0));
    const QImage image = list->viewport()->grab().toImage();
    const QColor selected = image.pixelColor(row.right() - 2, row.center().y());
    EXPECT_EQ(image.pixelColor(row.right() - 2, row.center().y() + row.height()), QColor(Qt::black));
    EXPECT_NE(selected, QColor(Qt::black));
    EXPECT_LT(qGray(selected.rgb()), 128);   // white text stays legible on it
}
