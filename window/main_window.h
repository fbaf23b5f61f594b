// SPDX-License-Identifier: MIT
// The calculator's one window. It is built from the layout table; every control's objectName
// is its name there. All logic sits in the event handlers below, named after their controls.
#pragma once

#include "estimate/config.h"
#include "estimate/document.h"

#include <QHash>
#include <QSet>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QLineEdit;
class QStyle;

namespace offer {
class DescriptionView;
} // namespace offer
namespace window {
struct ControlSpec;
} // namespace window

class TMain : public QWidget {
    Q_OBJECT
  public:
    // A control's change or click handler; `sender` is the control.
    using Handler = void (TMain::*)(QObject* sender);

    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    // Every input control read into the record; each radio button reads its own state.
    estimate::CabinetConfig readConfig() const;
    // The content of the description panel; the panel follows every change.
    estimate::DescriptionDocument& description() { return doc_; }

    // A control by its name, nullptr when there is none.
    QWidget* control(const QString& name) const { return controls_.value(name); }
    template <class T> T* control(const QString& name) const {
        return qobject_cast<T*>(control(name));
    }

    // The mirror of readConfig: sets every input control that differs from the record as the
    // user would, so its handlers run, in the order of estimate::inputs(); a radio button
    // cleared may leave its pair without a selection.
    void applyConfig(const estimate::CabinetConfig& c);
    // The selected item of a radio group, -1 for none.
    int itemIndex(const QString& radioGroup) const;

    // Initial folder of the file dialogs (request, load, PDF), with a trailing separator.
    const QString& saveDialogFolder() const { return saveDialogFolder_; }

    // Window handlers.
    void FormCreate(QObject* sender = nullptr);
    void FormActivate(QObject* sender = nullptr);
    void FormCanResize(QObject* sender = nullptr);
    void ButtonCloseClick(QObject* sender = nullptr);

    // Buttons.
    void ButtonCalcClick(QObject* sender = nullptr);
    void ButtonClearClick(QObject* sender = nullptr);
    void ButtonRequestClick(QObject* sender = nullptr);
    void ButtonLoadClick(QObject* sender = nullptr);
    void ButtonPrintClick(QObject* sender = nullptr);

    // Class presets and the showcase type.
    void RGClassClick(QObject* sender = nullptr);
    void RGVitrinTipClick(QObject* sender = nullptr);

    // Section switches.
    void CBStendClick(QObject* sender = nullptr);
    void CBPlakatClick(QObject* sender = nullptr);
    void CBVitrinClick(QObject* sender = nullptr);
    void CBMebelClick(QObject* sender = nullptr);
    void CBCompClick(QObject* sender = nullptr);
    void CBTehClick(QObject* sender = nullptr);

    // Level sliders.
    void TrackMebelChange(QObject* sender = nullptr);
    void TrackCompChange(QObject* sender = nullptr);
    void TrackTehChange(QObject* sender = nullptr);

    // Services.
    void CBDostavkaClick(QObject* sender = nullptr);
    void CBSborkaClick(QObject* sender = nullptr);

    // Entry rules: the key filter and count correction of the count edits, the area rule.
    void EditStendSKeyPress(QObject* sender, QChar& key);
    void EditStendSChange(QObject* sender);
    void EditSquareChange(QObject* sender = nullptr);

  protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool focusNextPrevChild(bool next) override; // Tab runs in reading order

  private:
    void build();
    void connectHandler(const window::ControlSpec& row, QWidget* w);
    void placeLinkLabels();
    void keepOwnLooks();
    void showPictures(); // for the screen's device pixel ratio
    void showSection(int index);
    void showLevel(int index);
    void showPressTopic(QObject* control);
    void tellResults(); // to screen readers, after an estimate or a reset

    QHash<QString, QWidget*> controls_;
    QSet<const QObject*> countEdits_;
    estimate::DescriptionDocument doc_;
    std::unique_ptr<offer::DescriptionView> view_;
    QString saveDialogFolder_;
    QStyle* style_ = nullptr; // the window's own, whatever the application's is
};
