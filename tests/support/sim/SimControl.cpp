#include "tests/support/sim/SimControl.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "reports/Startup.h"

namespace cp::test {

StartupState::StartupState() : started_(gblnStarted), locale_(CurrentLocale()) {}

StartupState::~StartupState() {
    gblnStarted = started_;
    SetLocale(locale_);
}

SimControl::SimControl(SimControlOptions options) : form_(world_, options.form) {
    if (options.started == Started::Yes)
        ComponentStart();
    else
        gblnStarted = false;
    if (options.prepare) options.prepare(world_);
    Place(options.placement);
}

std::unique_ptr<SimControl> SimControl::LoadedFrom(PropertyBag& saved) {
    return std::make_unique<SimControl>(SimControlOptions{.placement = {.properties = &saved}});
}

std::unique_ptr<SimControl> SimControl::LoadedWith(std::string_view key, const Variant& value) {
    sim::PropertyStore store;
    store.Set(key, value);
    return LoadedFrom(store);
}

ColumnPick& SimControl::Place(const sim::ControlPlacement& placement) {
    host_ = &form_.AddControl(
        [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); }, placement);
    control_ = &host_->ControlAs<ColumnPick>();
    control_->SetEventSink(&events_);
    probe_ = std::make_unique<ColumnPickProbe>(*control_);
    return *control_;
}

std::vector<std::string> SimControl::TableRows() {
    std::vector<std::string> rows;
    const Variant copy = control_->ArrayWithItems();
    const VariantArray& table = *copy.Array();
    for (std::int32_t row = 0; table.Allocated() && row < table.Extent(1); ++row) {
        std::string entries;
        for (std::int32_t c = 0; c < table.Extent(0); ++c)
            entries += (c ? ";" : "") + DisplayText(table.At(c, row));
        rows.push_back(entries);
    }
    return rows;
}

std::vector<std::string> SimControl::Prompts() const {
    std::vector<std::string> prompts;
    for (const auto& box : world_.MessageBoxes())
        prompts.push_back(box.prompt);
    return prompts;
}

std::vector<std::string> SimControl::ReportTitles() const {
    std::vector<std::string> titles;
    for (const auto& box : world_.MessageBoxes())
        titles.push_back(box.title.value_or(""));
    return titles;
}

const sim::ListBoxState& SimControl::ListState() const {
    const sim::ListBoxState* state = sim::InspectListBox(host_->ListHwnd());
    if (!state) {
        std::fprintf(stderr, "the control's list window is gone\n");
        std::abort();
    }
    return *state;
}

std::vector<sim::DrawRecord> SimControl::ControlDrawing() {
    std::vector<sim::DrawRecord> drawing;
    for (const sim::DrawRecord& record : world_.Graphics().Log())
        if (record.window == host_->Hwnd()) drawing.push_back(record);
    return drawing;
}

void SimControl::Repaint() {
    world_.Windows().Invalidate(host_->Hwnd(), nullptr, Erase::None);
    world_.Windows().Update(host_->Hwnd());
}

sim::DrawRecord SimControl::DrawnButtonEdge() {
    const std::size_t logged = world_.Graphics().Log().size();
    Repaint();
    const std::vector<sim::DrawRecord> drawing = ControlDrawing();
    world_.Graphics().TrimLog(logged);
    for (auto record = drawing.rbegin(); record != drawing.rend(); ++record)
        if (record->op == sim::DrawOp::DrawEdge) return *record;
    throw std::logic_error("the paint drew no button");
}

std::int32_t SimControl::RowEscapeRestores() {
    Focus();
    if (!control_->ComboBoxIsOpen()) user_.PressKey(vbKeyDown, vbAltMask);
    user_.PressKey(vbKeyEscape);
    return control_->ListIndex();
}

void SimControl::Fill(std::int16_t columns, const std::string& widths, const std::string& items) {
    control_->ColumnCount(columns);
    control_->ColumnWidths(widths);
    control_->AddList(items);
    if (!world_.MessageBoxes().empty())
        throw std::logic_error("the fill showed: " + world_.MessageBoxes().front().prompt);
}

void SimControl::FillRows(const std::vector<std::string>& rows) {
    std::string items;
    for (const std::string& row : rows)
        items += (items.empty() ? "" : ";") + row;
    Fill(1, "1500", items);
}

}  // namespace cp::test
