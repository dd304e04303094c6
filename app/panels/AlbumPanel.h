#pragma once
// The album panel: the album list with its button and menu ("New Folder", "Open
// Folder"), the new-album sheet, and the tab view's photo and video pages with
// their counts and thumbnail grids (AlbumPages). It owns the album library (the
// current album is kept in default.txt) and the two media lists of the current
// album; the tab view's third page, the results, is the window's.

#include <QObject>
#include <memory>
#include <string>

#include "measure/Types.h"
#include "storage/AlbumLibrary.h"
#include "storage/MediaList.h"

class QComboBox;
class QLabel;
class QMenu;
class QTabWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace lumetra {

class AlbumPages;
class AlertPresenter;
class NewFolderController;
class RQGlobalVariables;

class AlbumPanel : public QObject, private RQTransferDelegate {
    Q_OBJECT
public:
    struct Widgets {
        QToolButton* btNewAblum = nullptr;
        QComboBox* AblumComboBox = nullptr;
        QTabWidget* SettingTabView = nullptr;
        QWidget* PhotoGridPage = nullptr;  // the photo grid goes here
        QWidget* VideoGridPage = nullptr;  // the video grid goes here
        QLabel* photoCount = nullptr;
        QLabel* videoCount = nullptr;
    };

    // Builds the panel's widgets, titled "ALBUM", at the end of column; the tab
    // view takes the room left.
    static Widgets build(QWidget* parent, QVBoxLayout* column);

    // window: the parent of the menu and the sheet. The panel must go before the
    // widgets: its grids sit in the pages.
    AlbumPanel(const Widgets& widgets, RQGlobalVariables& settings, AlertPresenter& alerts,
               QWidget* window);
    ~AlbumPanel() override;

    const AlbumLibrary& albums() const { return albums_; }
    const MediaList& oPicMutArray() const { return pictures_; }
    const MediaList& oVidMutArray() const { return videos_; }
    AlbumPages& albumPages() const { return *pages_; }
    QMenu* menu() const { return menu_; }
    NewFolderController* folderSheet() const { return folderSheet_; }

    // Lists the albums with the one of default.txt chosen and loads its media, the
    // photos page first.
    void restore();
    // Rebuild one media list from the current album's folder.
    void loadPhotoCollection();
    void loadVideoCollection();
    // A newly written JPEG joins its list: a snapshot the photos, a recording's
    // thumbnail the videos.
    void add(MediaKind kind, const std::string& path);
    // The menu's "New Folder": the sheet asks for the new album's name.
    void newFolder();

signals:
    // A media list was rebuilt or changed; its grid shows it again.
    void photoCollectionChanged();
    void videoCollectionChanged();
    // A page deleted files of its list.
    void filesDeleted();
    // "Open Folder": the storage folder opens.
    void folderWanted();

private:
    // The sheet's report: the new album becomes the current one.
    void PassValue(const UserEntity& entity, int32_t type) override;
    void switchAlbum(int index);
    void showMediaCount(MediaKind kind);

    Widgets w_;
    RQGlobalVariables& settings_;
    AlertPresenter& alerts_;
    QWidget* window_;
    AlbumLibrary albums_;
    MediaList pictures_{MediaKind::Picture};
    MediaList videos_{MediaKind::Video};
    std::unique_ptr<AlbumPages> pages_;  // its grids sit in the panel's pages
    QMenu* menu_ = nullptr;
    NewFolderController* folderSheet_ = nullptr;
};

}  // namespace lumetra
