#pragma once
// The album's two pages in the window: the photo grid and the video grid, each
// backed by one of the window's media lists through the shared thumbnail
// provider. A double-click opens the file with the desktop's default
// application (when there is none, it offers to open the file's folder); the
// context menu opens, saves a copy elsewhere (never replacing a file: the save
// panel refuses a taken name and asks again), deletes one file or all of them
// after asking; Delete asks like the menu. New items appear at
// once and are scrolled into view. Space shows the selected snapshot large over
// the window (PhotoPreview); its arrow keys step through the snapshots, moving
// the grid's selection along. "Measure" (Enter) opens a snapshot for measuring again.

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <memory>

#include "app/grid/CNGridView.h"
#include "app/grid/MediaGridSource.h"
#include "app/grid/PhotoPreview.h"
#include "storage/MediaList.h"
#include "storage/ThumbnailProvider.h"

class QMenu;

namespace lumetra {

class AlertPresenter;

class AlbumPages : public QObject {
    Q_OBJECT
public:
    // The grids go into the two pages; the lists and the presenter outlive this.
    AlbumPages(QWidget* photoPage, QWidget* videoPage, MediaList& pictures, MediaList& videos,
               AlertPresenter& alerts);
    ~AlbumPages() override;

    // How files are opened with the desktop; replaceable for tests.
    void setUrlOpener(std::function<bool(const QUrl&)> open) { openUrl_ = std::move(open); }

    CNGridView& grid(MediaKind kind) {
        return kind == MediaKind::Picture ? photoGrid_ : videoGrid_;
    }

    // The list was rebuilt from its folder: the grid shows it again.
    void reload(MediaKind kind);
    // An item was appended to the list at index.
    void inserted(MediaKind kind, size_t index);

    // The context menu's actions on the item `index` of a page (IndexSelect).
    void openItem(MediaKind kind, int index);
    void saveItem(MediaKind kind, int index);
    void deleteItem(MediaKind kind, int index);
    void deleteAll(MediaKind kind);
    // Asks for snapshot `index` to be measured (measureWanted).
    void measureItem(MediaKind kind, int index);
    // Shows snapshot `index` in the preview and selects it in the grid.
    void previewPicture(int index);

signals:
    // A list changed by a deletion.
    void listChanged(MediaKind kind);
    // The snapshot at path is to be measured again.
    void measureWanted(const QString& path);

private:
    void setUpGrid(CNGridView& grid, MediaKind kind);
    MediaList& list(MediaKind kind) { return kind == MediaKind::Picture ? pictures_ : videos_; }

    MediaList& pictures_;
    MediaList& videos_;
    AlertPresenter& alerts_;
    std::function<bool(const QUrl&)> openUrl_;
    CNGridView photoGrid_;
    CNGridView videoGrid_;
    ThumbnailProvider thumbnails_;
    MediaGridSource photoSource_;
    MediaGridSource videoSource_;
    QMenu* photoMenu_ = nullptr;
    QMenu* videoMenu_ = nullptr;
    QPointer<PhotoPreview> preview_;  // made at the first preview; the window owns it
    int previewIndex_ = -1;
    QString lastSaveFolder_;  // where the last copy went; empty: none yet
};

}  // namespace lumetra
