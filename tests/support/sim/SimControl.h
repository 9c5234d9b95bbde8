// One ColumnPick on a form of the simulated platform, started as a host starts it, with its
// events recorded and a simulated user at hand: the common ground of every control-on-a-form
// test and of the fuzz targets. ControlOnForm is the same as a test fixture; a test that needs
// a fresh control for each case of a table builds a SimControl per case.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/PropertyStore.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "runtime/Locale.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/EventRecorder.h"

namespace cp::test {

// Whether the component's start routine has run on the thread before the control is created.
enum class Started { Yes, No };

struct SimControlOptions {
    sim::ControlPlacement placement{};
    sim::FormOptions form{};
    Started started = Started::Yes;
    // Runs on the world before the control is placed: failures planned for its start-up.
    std::function<void(sim::World&)> prepare{};
};

// The start routine's thread-wide state (the started flag, the locale facts) as the control
// found it, put back when the control goes, so that no test leaves it to the next.
class StartupState {
public:
    StartupState();
    ~StartupState();
    StartupState(const StartupState&) = delete;
    StartupState& operator=(const StartupState&) = delete;

private:
    bool started_;
    LocaleFacts locale_;
};

class SimControl {
public:
    // A control loaded from a saved form's store, as a host loads one.
    static std::unique_ptr<SimControl> LoadedFrom(PropertyBag& saved);
    // One loaded from a store that holds this one value: a setting that only a stored value
    // can give.
    static std::unique_ptr<SimControl> LoadedWith(std::string_view key, const Variant& value);

    explicit SimControl(SimControlOptions options = {});
    virtual ~SimControl() = default;
    SimControl(const SimControl&) = delete;
    SimControl& operator=(const SimControl&) = delete;

    // Adds a further control to the form; from then on it is the control the helpers speak of.
    ColumnPick& Place(const sim::ControlPlacement& placement);

    ColumnPick& control() { return *control_; }
    ColumnPickProbe& probe() { return *probe_; }
    sim::ControlHost& host() { return *host_; }
    sim::World& world() { return world_; }
    sim::Form& form() { return form_; }
    sim::User& user() { return user_; }
    EventRecorder& events() { return events_; }

    // Every row that the table's copy holds, counted or not, its entries joined with ';'.
    std::vector<std::string> TableRows();
    // The prompts and the titles of the message boxes shown so far.
    std::vector<std::string> Prompts() const;
    std::vector<std::string> ReportTitles() const;
    HWND List() { return host_->ListHwnd(); }
    // The list window as the window itself holds it (the program stops if it is gone), and
    // where it stands on the screen.
    const sim::ListBoxState& ListState() const;
    RECT ListOnScreen() { return world_.Windows().ScreenRect(host_->ListHwnd()); }
    // The drawing calls made on the control's own window since the log was cleared.
    std::vector<sim::DrawRecord> ControlDrawing();
    // Gives the edit field the focus, as a click into it would.
    void Focus() { user_.Focus(host_->EditHwnd()); }
    // Has the window system paint the whole control again, as when a window uncovers it.
    void Repaint();
    // The drop-down button as the user sees it: the edge that a fresh paint draws around it.
    RECT DrawnButton() { return DrawnButtonEdge().rect; }
    // Whether that paint shows the button pressed.
    bool ButtonDrawnPressed() { return DrawnButtonEdge().edge == EDGE_SUNKEN; }
    // The committed row as the user finds it: the row that Escape in the open list goes back
    // to. Leaves the list closed and the focus in the edit field.
    std::int32_t RowEscapeRestores();

    // Sets widths and fills the table from an item string; a message shown meanwhile is thrown
    // as an error, so that a test or a fuzz target stops at a fill it did not mean to fail.
    void Fill(std::int16_t columns, const std::string& widths, const std::string& items);
    // One row per text, in one column.
    void FillRows(const std::vector<std::string>& rows);

private:
    sim::DrawRecord DrawnButtonEdge();

    StartupState startup_;
    sim::World world_;
    sim::Form form_;
    sim::User user_{world_};
    EventRecorder events_;
    sim::ControlHost* host_ = nullptr;
    ColumnPick* control_ = nullptr;
    std::unique_ptr<ColumnPickProbe> probe_;
};

}  // namespace cp::test
