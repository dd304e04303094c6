#pragma once
// The camera profiles under the picture adjustments: a list whose field takes a new
// profile's name, a save and a delete button. Saving keeps the active camera's six
// adjustments, resolution and frame rate under the typed name for that camera;
// choosing a profile applies it; the profile used last comes back whenever that
// camera connects again. The profiles are kept in the storage root (CameraProfiles).

#include <QObject>
#include <string>

#include "storage/CameraProfiles.h"

class QComboBox;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace lumetra {

class AlertPresenter;
class CameraPanel;

class CameraProfilePanel : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QComboBox* cameraProfiles = nullptr;  // editable: the field names a new profile
        QToolButton* btSaveProfile = nullptr;
        QToolButton* btDeleteProfile = nullptr;
    };
    // Builds the "Profile" row at the end of column.
    static Widgets build(QWidget* parent, QVBoxLayout* column);

    // path: the profiles' file. An unreadable file is reported through alerts.
    CameraProfilePanel(const Widgets& widgets, CameraPanel& camera, std::string path,
                       AlertPresenter& alerts, QObject* parent);

    // Applies the active camera's profile of that name; false when it has none.
    bool choose(const QString& name);
    // Saves the active camera's settings under the name in the list's field.
    void save();
    // Deletes the active camera's profile named in the list's field.
    void remove();

private:
    // A camera connected or the active one is gone: its profiles show, and the one
    // used last is applied.
    void cameraChanged();
    void showProfiles(const QString& current);
    void apply(const CameraProfile& profile);
    CameraProfile currentSettings(const std::string& name) const;
    void report(const WriteResult& written);

    Widgets w_;
    CameraPanel& camera_;
    AlertPresenter& alerts_;
    CameraProfiles profiles_;
    std::string key_;  // the active camera's; "" none
};

}  // namespace lumetra
