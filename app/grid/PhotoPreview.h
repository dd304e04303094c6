#pragma once
// A snapshot shown large over the whole window: the picture fits the window and
// keeps its aspect. It is decoded on a pool thread, at the libjpeg-turbo scale
// closest above the window's size, read through the size cap and decoded within
// the decoder's memory budget, so a huge or corrupt file costs the main thread
// nothing and shows a short message instead. Esc, space or a click closes the preview; the arrow
// keys ask for the previous or next snapshot.

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace lumetra {

class PhotoPreview : public QWidget {
    Q_OBJECT
public:
    // Covers `window` (a top-level widget) while shown, following its size.
    explicit PhotoPreview(QWidget* window);
    ~PhotoPreview() override;

    // Shows the snapshot at path and takes the keyboard; its picture follows
    // once decoded.
    void showPicture(const QString& path);
    // Hides the preview and gives the keyboard back to the widget that had it.
    void closePreview();

    const QString& path() const { return path_; }
    // The decoded picture; null while decoding or when it could not be decoded.
    const QImage& picture() const { return picture_; }
    bool failed() const { return failed_; }

signals:
    // An arrow key: -1 the previous snapshot, +1 the next.
    void stepRequested(int step);
    void closed();
    // The picture of path() was decoded (or failed to).
    void pictureShown();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Link;

    void decoded(uint64_t request, QImage picture);
    QRect pictureArea() const;

    std::shared_ptr<Link> link_;
    uint64_t request_ = 0;  // the decode whose picture is wanted
    QString path_;
    QImage picture_;
    QImage scaled_;  // picture_ at the size last painted
    bool failed_ = false;
    QPointer<QWidget> focusBefore_;  // where the keyboard goes back to
};

}  // namespace lumetra
