#include "app/panels/AlbumPanel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AlbumPages.h"
#include "app/AlertPresenter.h"
#include "app/NewFolderController.h"
#include "app/panels/PanelWidgets.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {
namespace {

QString mediaCountText(size_t count, const QString& singular, const QString& plural) {
    if (count == 0)
        return QCoreApplication::translate("lumetra::AlbumPanel", "No %1 in this album")
            .arg(plural);
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? singular : plural);
}

// The number of files of an album page, above its thumbnail grid (AlbumPages adds
// the grid to the page's column).
QLabel* mediaCountLabel(QWidget* page) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 8, 0, 0);
    column->setSpacing(6);
    auto* count = label(page, QString(), "secondaryText");
    count->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    column->addWidget(count);
    return count;
}

}  // namespace

AlbumPanel::Widgets AlbumPanel::build(QWidget* parent, QVBoxLayout* column) {
    Widgets w;
    const TitledList albums = titledList(parent, column, tr("ALBUM"), "AblumComboBox", "btNewAblum",
                                         "album", tr("Albums"));
    w.AblumComboBox = albums.list;
    w.AblumComboBox->setAccessibleDescription(tr("The album that snapshots and recordings go to"));
    w.btNewAblum = albums.menuButton;
    w.SettingTabView = new QTabWidget(parent);
    w.SettingTabView->setObjectName(QStringLiteral("SettingTabView"));
    w.SettingTabView->setUsesScrollButtons(false);  // all three pages in sight
    w.PhotoGridPage = new QWidget(w.SettingTabView);
    w.VideoGridPage = new QWidget(w.SettingTabView);
    w.photoCount = mediaCountLabel(w.PhotoGridPage);
    w.videoCount = mediaCountLabel(w.VideoGridPage);
    w.SettingTabView->addTab(w.PhotoGridPage, tr("Photos"));
    w.SettingTabView->addTab(w.VideoGridPage, tr("Videos"));
    w.SettingTabView->setTabToolTip(0, tr("The album's snapshots"));
    w.SettingTabView->setTabToolTip(1, tr("The album's recordings"));
    column->addWidget(w.SettingTabView, 1);
    return w;
}

AlbumPanel::AlbumPanel(const Widgets& widgets, RQGlobalVariables& settings, AlertPresenter& alerts,
                       QWidget* window)
    : w_(widgets),
      settings_(settings),
      alerts_(alerts),
      window_(window),
      albums_(settings),
      pages_(std::make_unique<AlbumPages>(w_.PhotoGridPage, w_.VideoGridPage, pictures_, videos_,
                                          alerts)) {
    menu_ = new QMenu(tr("Menu"), window);
    menu_->addAction(tr("New Folder"), this, &AlbumPanel::newFolder);
    menu_->addAction(tr("Open Folder"), this, &AlbumPanel::folderWanted);
    connect(w_.btNewAblum, &QToolButton::clicked, this,
            [this] { menu_->popup(menuPosition(w_.btNewAblum)); });
    connect(pages_.get(), &AlbumPages::listChanged, this, [this](MediaKind kind) {
        showMediaCount(kind);
        emit filesDeleted();
    });
    // Only the user's choices count: filling and selecting by the panel runs no handling.
    connect(w_.AblumComboBox, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) switchAlbum(index);
    });
    connect(w_.SettingTabView, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != 0 && index != 1) return;  // the results page
        const MediaKind shown = index == 0 ? MediaKind::Picture : MediaKind::Video;
        pages_->reload(shown);
        emit(shown == MediaKind::Picture ? photoCollectionChanged() : videoCollectionChanged());
    });
}

AlbumPanel::~AlbumPanel() = default;

void AlbumPanel::restore() {
    const auto album = albums_.scan();
    for (const std::string& name : albums_.albums())
        w_.AblumComboBox->addItem(QString::fromStdString(name));
    w_.AblumComboBox->setCurrentIndex(album ? static_cast<int>(*album) : -1);
    w_.SettingTabView->setCurrentIndex(0);
    loadPhotoCollection();
    loadVideoCollection();
}

void AlbumPanel::newFolder() {
    delete folderSheet_;
    folderSheet_ = new NewFolderController(window_, alerts_, albums_);
    folderSheet_->delegate = this;
    folderSheet_->open();
}

void AlbumPanel::PassValue(const UserEntity& entity, int32_t type) {
    if (type != kTransferAlbumCreated) return;
    const size_t index = albums_.appendAlbum(entity.Param1);
    w_.AblumComboBox->addItem(QString::fromStdString(entity.Param1));
    w_.AblumComboBox->setCurrentIndex(static_cast<int>(index));
    switchAlbum(static_cast<int>(index));
}

void AlbumPanel::switchAlbum(int index) {
    const auto remembered = albums_.switchAlbum(static_cast<size_t>(index));
    if (!remembered) return;
    loadPhotoCollection();
    loadVideoCollection();
    // The album is current now; only the next start will not know it.
    if (!*remembered) alerts_.alert(QString::fromStdString(remembered->message()));
}

void AlbumPanel::loadPhotoCollection() {
    const std::string problem = pictures_.load(settings_.getStrDocumentsPicture());
    pages_->reload(MediaKind::Picture);
    showMediaCount(MediaKind::Picture);
    if (!problem.empty()) alerts_.alert(QString::fromStdString(problem));
}

void AlbumPanel::loadVideoCollection() {
    const std::string problem = videos_.load(settings_.getStrDocumentsVideo());
    pages_->reload(MediaKind::Video);
    showMediaCount(MediaKind::Video);
    if (!problem.empty()) alerts_.alert(QString::fromStdString(problem));
}

void AlbumPanel::add(MediaKind kind, const std::string& path) {
    const size_t index = (kind == MediaKind::Picture ? pictures_ : videos_).append(path);
    pages_->inserted(kind, index);
    showMediaCount(kind);
}

void AlbumPanel::showMediaCount(MediaKind kind) {
    if (kind == MediaKind::Picture) {
        w_.photoCount->setText(mediaCountText(pictures_.size(), tr("snapshot"), tr("snapshots")));
        emit photoCollectionChanged();
    } else {
        w_.videoCount->setText(mediaCountText(videos_.size(), tr("recording"), tr("recordings")));
        emit videoCollectionChanged();
    }
}

}  // namespace lumetra
