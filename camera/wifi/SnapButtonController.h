#pragma once
// The window's shutter-button switch (btLed) without the toolkit: switching the wizard
// camera's counter poller on and off, showing the state as the button's picture and
// tool tip, and turning each rise of the counter into a snapshot. Main thread only.

#include <cstdint>

#include "camera/SnapCounter.h"
#include "camera/wifi/RQWebReader.h"
#include "image/Translate.h"

namespace lumetra {

struct SnapButtonLook {
    const char* image;  // "snapon" or "snapoff"
    const char* toolTip;
};
inline constexpr SnapButtonLook kSnapOnLook = {
    "snapon", QT_TRANSLATE_NOOP("SnapButton", "Turn snapshot off (wifi camera)")};
inline constexpr SnapButtonLook kSnapOffLook = {
    "snapoff", QT_TRANSLATE_NOOP("SnapButton", "Turn snapshot on (wifi camera)")};

class SnapButtonListener {
public:
    virtual ~SnapButtonListener() = default;
    virtual void showSnapButton(const SnapButtonLook& look) = 0;
    // The camera's shutter button was pressed: take a snapshot as the take-picture
    // control would (saveImage with false).
    virtual void takeSnapshot() = 0;
};

class SnapButtonController : public RQWebReaderDelegate {
public:
    // iSnapNumber: the window's photo counter (read at connect); it must outlive this.
    SnapButtonController(RQWebReader::Options options, SnapCounter& iSnapNumber);

    void setListener(SnapButtonListener* listener) { listener_ = listener; }
    void setHost(CameraHost host) { readerSnap_.setHost(std::move(host)); }

    // btLed's action; only with a wizard camera (CameraMode::WiFiWizard) does it switch.
    void onSnapshotAction(uint8_t iCameraMode);
    void didFinishReadingContent(bool grown, int64_t number) override;

    bool bEnableSnap() const { return bEnableSnap_; }
    const RQWebReader& reader() const { return readerSnap_; }

private:
    void switchOff();

    SnapCounter& iSnapNumber_;
    SnapButtonListener* listener_ = nullptr;
    bool bEnableSnap_ = false;
    RQWebReader readerSnap_;
};

}  // namespace lumetra
