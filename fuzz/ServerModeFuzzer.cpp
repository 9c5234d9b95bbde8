// The list in server mode against the same rows filled into memory: one table of places built
// from the input (names from a small alphabet, so many repeat, differ in case, are empty or
// Null), one list filled with its rows in the list's order and one connected to it, whose
// server estimates the rows exactly, too high, too low, from sampled entries or not at all;
// then the same user's and host's steps on both. After each step, once the server has
// answered, what a user and a host see on the two must be one and the same reading.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/ControlLane.h"
#include "fuzz/Outcome.h"
#include "fuzz/ServerTable.h"
#include "platform/Host.h"
#include "runtime/ScreenUnits.h"
#include "tests/support/AwaitAnswers.h"

namespace cp::fuzz {
namespace {

constexpr int kMaxSteps = 24;

// Where the list stands. On the server these are estimates until a host reads ListIndex or
// ListCount, and such a read makes them exact (the rows shown stay the rows they were); so they
// are compared only on the steps after which the host reads them.
struct Places {
    std::int32_t listIndex = 0;
    std::int32_t listCount = 0;
    int windowRows = 0;
    int selection = 0;
    int top = 0;

    bool operator==(const Places&) const = default;
};

struct Reading {
    std::vector<std::int32_t> errors;  // raised by the step
    std::vector<std::string> boxes;    // message boxes and errors escaped into the host
    std::optional<Places> places;
    std::string text;
    std::string value;
    std::string first;  // Column(0)
    bool open = false;
    std::string selected;            // the name of the open list's selected row
    std::vector<std::string> shown;  // the names of the open list's rows from its top
    std::string events;

    bool operator==(const Reading&) const = default;
};

std::string Print(const Reading& r) {
    std::string out = "  text '" + r.text + "' value '" + r.value + "' column 0 '" + r.first + "'" +
                      (r.open ? " open" : " closed") + ", selected '" + r.selected + "'";
    if (r.places) {
        const Places& p = *r.places;
        out += "\n  ListIndex " + std::to_string(p.listIndex) + " ListCount " +
               std::to_string(p.listCount) + ", window " + std::to_string(p.windowRows) +
               " rows, selection " + std::to_string(p.selection) + " top " + std::to_string(p.top);
    }
    out += "\n  shown [";
    for (const auto& name : r.shown)
        out += name + " | ";
    out += "]\n  events " + r.events + "\n  errors";
    for (const auto n : r.errors)
        out += " " + std::to_string(n);
    for (const auto& box : r.boxes)
        out += "\n  box: " + box;
    return out;
}

// What a reading takes in, beyond the control.
struct Look {
    bool places = false;       // a host reads ListIndex and ListCount
    bool viewDiffers = false;  // the open list's top may stand elsewhere by design
    bool dragged = false;      // the thumb was dragged on an estimated list
    int listRows = 0;
};

// Lets the window's messages run until the server's answers and the rows read ahead have
// come, as the tests wait for them; then what the last answers' paint posted (a move of the
// rows that drawing read) runs too.
void AwaitAnswers(Session& s, std::string_view step) {
    if (!test::AwaitServerAnswers(s.control(), std::chrono::seconds(10)))
        Fail(step, "the server did not answer");
    host::DoEvents();
}

std::string RowNameOr(ColumnPick& c, int row) {
    return c.RowName(row).value_or("?");
}

// The names of the open list's rows on show, from its top.
std::vector<std::string> Shown(Session& s, int listRows) {
    std::vector<std::string> shown;
    if (!s.control().ComboBoxIsOpen()) return shown;
    const int top = s.ListState().top;
    const int end = std::min(top + listRows, s.ListState().count);
    for (int row = top; row < end; ++row)
        shown.push_back(RowNameOr(s.control(), row));
    return shown;
}

Reading Read(Session& s, std::string_view step, const Look& look) {
    ColumnPick& c = s.control();
    Reading r;
    for (const auto& box : s.world().MessageBoxes())
        r.boxes.push_back(box.title.value_or("") + ": " + box.prompt);
    for (const auto& e : s.world().HostErrors())
        r.boxes.push_back("escaped " + std::to_string(e.number) + " from " + e.notification);
    s.world().ClearMessageBoxes();
    s.world().ClearHostErrors();
    if (look.places) {
        // The place made exact moves the rows on show to other places; they stay the rows
        // they were, whatever the list in memory shows, and a count read after it leaves them
        // too. Not yet after the thumb was dragged on an estimated list: the read brings back
        // the current row, kept by itself, and the open list goes to it, away from the rows
        // the user scrolled to.
        const auto keepsTheRowsOnShow = [&](const char* member, const auto& read) {
            const std::vector<std::string> before =
                look.dragged ? std::vector<std::string>{} : Shown(s, look.listRows);
            const auto value = read();
            if (const auto after = Shown(s, look.listRows); !look.dragged && after != before) {
                std::string what =
                    std::string("the rows on show changed when the host read ") + member + ":";
                for (const auto& rows : {before, after}) {
                    what += "\n ";
                    for (const auto& name : rows)
                        what += " " + name + " |";
                }
                Fail(step, what);
            }
            return value;
        };
        Places p;
        p.listIndex = keepsTheRowsOnShow("ListIndex", [&] { return c.ListIndex(); });
        p.listCount = keepsTheRowsOnShow("ListCount", [&] { return c.ListCount(); });
        p.windowRows = s.ListState().count;
        // The closed list's selection and top show nowhere (see the selected row below), and
        // the list opens on its current row.
        const bool open = c.ComboBoxIsOpen();
        p.selection = open ? s.ListState().selection : 0;
        p.top = look.viewDiffers || !open ? 0 : s.ListState().top;
        r.places = p;
    }
    r.text = c.Text();
    r.value = DisplayText(c.Value());
    r.first = DisplayText(c.Column(0));
    r.open = c.ComboBoxIsOpen();
    // The closed list's selection shows nowhere, and on the server a current row that the list
    // keeps by itself (read far from the other rows, or by the filter alone) has no place in
    // it until the keys or the list's opening bring it: the keys show where it stands.
    const int selection = s.ListState().selection;
    if (r.open) r.selected = selection < 0 ? "(none)" : RowNameOr(c, selection);
    if (!look.viewDiffers) r.shown = Shown(s, look.listRows);
    r.events = s.events().Joined();
    s.events().ClearLog();
    return r;
}

// How a step may place the open list on an estimated table. A row found by typing, by a
// Text or a Value put is shown where the estimate puts its key, so the list scrolls to it from
// above or below as the estimate has it and shows it at its top or its bottom; a thumb dragged
// far from the rows read shows the rows of the sampled entry that the estimate puts there. The
// rows on show then differ by design until the list closes.
// On any table, a host's put that leaves no row current (ListIndex -1, Value Null) on a
// filtered open list shows every row again: the list in memory around the row that was
// current, the list on the server around the rows it had read, when only the filter had read
// that row (it is not read on the window's thread, and no row is left to bring).
// And a host's put of a row (ListIndex, Value) on a filtered list: the list on the server shows
// every row again when its filter has not read that row, even one the filter finds further
// down, where the list in memory keeps its filtered rows; from then on the two lists show
// other rows, and the session ends there. So where Escape takes back a committed row that the
// filter on the server has not read. On any table, a place put far from the rows read is read
// by itself, as a far scroll reads it, and the list goes to it from another top.
enum class Placing { Exact, FoundRow, Dragged, NoRow, HostPut, CommittedBack };

// One step as both lists take it; the action runs on each list's own lane.
struct Step {
    std::string name;
    std::function<void(Session&)> action;
    Placing placing = Placing::Exact;
};

Reading Play(Session& s, const Step& step, const Look& look) {
    std::vector<std::int32_t> errors;
    try {
        step.action(s);
    } catch (const RuntimeError& e) {
        errors.push_back(e.Number());
    } catch (const std::exception& e) {
        Fail(step.name, std::string("threw a non-runtime exception: ") + e.what());
    }
    AwaitAnswers(s, step.name);
    Reading r = Read(s, step.name, look);
    r.errors = std::move(errors);
    return r;
}

std::string Letters(FuzzedDataProvider& in, int most) {
    std::string text;
    for (int i = in.ConsumeIntegralInRange(1, most); i > 0; --i) {
        // 'z' is in no name: a text that finds no row.
        const int pick = in.ConsumeIntegralInRange(0, static_cast<int>(sizeof kNameLetters));
        text += pick == static_cast<int>(sizeof kNameLetters) ? 'z' : kNameLetters[pick];
    }
    return text;
}

Step Key(std::string name, std::int16_t key, std::int16_t shift = 0) {
    return {std::move(name), [key, shift](Session& s) {
                s.Focus();
                s.user().PressKey(key, shift);
            }};
}

// The user waits for each key's completion before the next key: on the server only the answer
// to the newest text is applied, so keys typed faster than it answers skip the completions of
// the texts between them, whose case the list in memory takes over into what follows.
Step Typing(std::string name, std::string text, bool overAll) {
    std::string named = std::move(name) + " '" + text + "'";
    return {named,
            [text, overAll, named](Session& s) {
                s.Focus();
                if (overAll) s.user().SelectText(0, 1000);
                for (const char key : text) {
                    s.user().TypeText(std::string(1, key));
                    AwaitAnswers(s, named);
                }
            },
            Placing::FoundRow};
}

constexpr std::int16_t kMoves[] = {vbKeyUp,       vbKeyDown, vbKeyPageUp,
                                   vbKeyPageDown, vbKeyHome, vbKeyEnd};
constexpr int kScrolls[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN};

// The state of the session that chooses the steps: what the list in memory last showed.
struct Course {
    const ServerTable& table;
    ControlLane& memory;
    int listRows = 0;
    bool boundName = false;
    bool open = false;
    bool otherTop = false;     // the server's list may scroll from another top (see Placing)
    bool viewDiffers = false;  // the rows on show are left out until the list closes
    bool dragged = false;      // the thumb was dragged since the list opened
};

// A value of the bound column (a name or a code), one that no row holds, the empty text, or
// Null. Not Empty: a list in memory takes it for the first empty text (or zero) of the bound
// column, a list on the server looks for a Null entry and finds none; which of the two a
// host should get is still to be decided.
Step ValuePut(FuzzedDataProvider& in, const Course& c) {
    const std::vector<std::string>& entries = c.boundName ? c.table.names : c.table.codes;
    const int pick = in.ConsumeIntegralInRange(0, 9);
    Variant value = Variant::Null();
    if (pick < 7 && !entries.empty()) {
        value = Variant(entries[in.ConsumeIntegralInRange<std::size_t>(0, entries.size() - 1)]);
    } else if (pick == 7) {
        value = Variant(c.boundName ? "zz" : "C99999");
    } else if (pick == 8) {
        value = Variant("");
    }
    return {"Value put '" + DisplayText(value) + "'",
            [value](Session& s) { s.control().Value(value); },
            value.IsNull() ? Placing::NoRow : Placing::HostPut};
}

Step ListIndexPut(FuzzedDataProvider& in, const Course& c) {
    const std::int32_t count = c.memory.On([](Session& s) { return s.control().ListCount(); });
    std::int32_t place = 0;
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            place = -1;
            break;
        case 1:
            place = count;  // past the end
            break;
        case 2:
            place = count + in.ConsumeIntegralInRange(1, 500);
            break;
        case 3:
            place = -2 - in.ConsumeIntegralInRange(0, 3);
            break;
        default:
            place = count == 0 ? 0 : in.ConsumeIntegralInRange(0, count - 1);
            break;
    }
    return {"ListIndex put " + std::to_string(place),
            [place](Session& s) { s.control().ListIndex(place); },
            place == -1 ? Placing::NoRow : Placing::HostPut};
}

Step TextPut(FuzzedDataProvider& in, const Course& c) {
    std::string text;
    const int pick = in.ConsumeIntegralInRange(0, 3);
    if (pick == 1 && !c.table.names.empty()) {
        text = c.table.names[in.ConsumeIntegralInRange<std::size_t>(0, c.table.names.size() - 1)];
    } else if (pick >= 2) {
        text = Letters(in, 3);
    }
    return {"Text put '" + text + "'", [text](Session& s) { s.control().Text(text); },
            Placing::FoundRow};
}

Step ThumbDrag(FuzzedDataProvider& in) {
    const int sixteenths = in.ConsumeIntegralInRange(0, 16);
    return {"thumb dragged to " + std::to_string(sixteenths) + "/16",
            [sixteenths](Session& s) {
                const int range = std::max(0, s.ListState().count - s.control().ListRows());
                sim::DragScrollThumb(s.List(), range * sixteenths / 16);
            },
            Placing::Dragged};
}

Step ClickBand(FuzzedDataProvider& in, const Course& c) {
    const int band = in.ConsumeIntegralInRange(0, c.listRows - 1);
    return {"click on band " + std::to_string(band), [band](Session& s) {
                const float y =
                    static_cast<float>((band + 0.5) * s.ListState().itemHeight * TwipsPerPixel());
                s.user().Click(s.List(), 300, y);
            }};
}

Step NextStep(FuzzedDataProvider& in, Course& c) {
    switch (in.ConsumeIntegralInRange(0, 15)) {
        case 0:
        case 1:
            return Typing("typing", Letters(in, 3), false);
        case 2:
            return Typing("over the text typing", Letters(in, 3), true);
        case 3:
            return {"Backspace", Key("", vbKeyBack).action, Placing::FoundRow};
        case 4:
        case 5: {
            const std::int16_t key = in.PickValueInArray(kMoves);
            return Key("key " + std::to_string(key), key);
        }
        case 6:
            switch (in.ConsumeIntegralInRange(0, 3)) {
                case 0:
                    return Key("Alt+Down", vbKeyDown, vbAltMask);
                case 1:
                    return {"Escape", Key("", vbKeyEscape).action, Placing::CommittedBack};
                case 2:
                    return Key("Enter", vbKeyReturn);
                default:
                    return Key("F4", vbKeyF4);
            }
        case 7: {
            if (!c.open) return {"ShowDropDown", [](Session& s) { s.control().ShowDropDown(); }};
            const int request = in.PickValueInArray(kScrolls);
            return {"scroll bar " + std::to_string(request),
                    [request](Session& s) { sim::PressScrollBar(s.List(), request); }};
        }
        case 8:
            if (!c.open) return {"ShowDropDown", [](Session& s) { s.control().ShowDropDown(); }};
            return ThumbDrag(in);
        case 9:
            return ValuePut(in, c);
        case 10:
            return ListIndexPut(in, c);
        case 11: {
            const bool on = in.ConsumeBool();
            return {std::string("FilterList ") + (on ? "on" : "off"),
                    [on](Session& s) { s.control().FilterList(on); }};
        }
        case 12:
            return TextPut(in, c);
        case 13:
            if (c.open && !c.viewDiffers) return ClickBand(in, c);
            return {"ShowDropDown", [](Session& s) { s.control().ShowDropDown(); }};
        case 14:
            return {"focus away", [](Session& s) { s.user().MoveFocusAway(s.form()); }};
        default:
            return {"ListIndex read", [](Session& s) { s.control().ListIndex(); }};
    }
}

// The list's columns and settings, the same on both.
void Prepare(Session& s, int listRows, bool boundName, bool filter) {
    ColumnPick& c = s.control();
    c.ColumnCount(std::int16_t{2});
    c.ColumnWidths("1500;800");
    c.BoundColumn(static_cast<std::int16_t>(boundName ? 0 : 1));
    c.ListRows(static_cast<std::int16_t>(listRows));
    c.FilterList(filter);
}

// The two readings differ only in the open list's rows on show (and its top), as a step may
// place an estimated table's list (see Placing); a row that this step found is on show all the
// same.
// After a far drag the current row is kept by itself until the keys bring it back: the open
// list on the server selects no row, the list in memory the row it scrolled away from.
bool OnlyTheViewDiffers(Reading memory, Reading server, Placing placing, bool dragged) {
    if (!memory.open) return false;
    if (dragged && server.selected == "(none)") {
        memory.selected = server.selected;
        if (memory.places && server.places) memory.places->selection = server.places->selection;
    }
    const bool found = placing == Placing::FoundRow || placing == Placing::HostPut;
    if (found && server.selected != "(none)" &&
        std::find(server.shown.begin(), server.shown.end(), server.selected) == server.shown.end())
        return false;
    memory.shown.clear();
    server.shown.clear();
    if (memory.places) memory.places->top = 0;
    if (server.places) server.places->top = 0;
    return memory == server;
}

Reading WithoutWindowRows(Reading r) {
    if (r.places) r.places->windowRows = 0;
    return r;
}

class Trail {
public:
    void Add(const std::string& step, const Reading& reading) {
        steps_.push_back(step);
        if (Tracing()) std::fprintf(stderr, "%s:\n%s\n", step.c_str(), Print(reading).c_str());
    }
    [[noreturn]] void Differ(const std::string& step, const Reading& memory,
                             const Reading& server) const {
        std::string what = "the lists differ\nin memory:\n" + Print(memory) + "\non the server:\n" +
                           Print(server) + "\nsteps:";
        for (const auto& s : steps_)
            what += "\n  " + s;
        Fail(step, what);
    }

private:
    std::vector<std::string> steps_;
};

const char* KnownName(RowsKnown known) {
    constexpr const char* kNames[] = {"exact",   "rowid gaps", "too few",         "too many",
                                      "counted", "statistics", "stale statistics"};
    return kNames[static_cast<int>(known)];
}

void RunSession(FuzzedDataProvider& in) {
    const ServerTable table = MakeServerTable(in);
    const int listRows = in.ConsumeIntegralInRange(3, 12);
    const bool boundName = in.ConsumeIntegralInRange(0, 5) == 0;
    const bool filter = in.ConsumeBool();
    // The lanes go before the table: the server's list stops its query thread first.
    ControlLane memory;
    ControlLane server;
    Course course{table, memory, listRows, boundName};
    Trail trail;
    Look look{true, false, false, listRows};

    const std::string connected = std::string("connected (") + KnownName(table.known) + ", " +
                                  std::to_string(table.codes.size()) + " rows)";
    // The list in memory is filled before the other connects: the two share the database's
    // one connection, which the server's list then reads on its query thread too.
    const Step fill{connected, [&table](Session& s) {
                        s.control().FillComboBoxMultiColumn(*table.db, kRowsInListOrder);
                        s.Focus();
                    }};
    const Step connect{connected, [&table](Session& s) {
                           s.control().ConnectComboBoxMultiColumn(*table.server, "places",
                                                                  table.keyField);
                           s.Focus();
                       }};
    const auto prepared = [&](const Step& step) {
        return [&](Session& s) {
            Prepare(s, listRows, boundName, filter);
            s.events().ClearLog();
            return Play(s, step, look);
        };
    };
    Reading a = memory.On(prepared(fill));
    if (!a.errors.empty() || !a.boxes.empty()) Fail(connected, "the fill failed:\n" + Print(a));
    Reading b = server.On(prepared(connect));
    if (a != b) trail.Differ(connected, a, b);
    trail.Add(connected, a);

    for (int i = 0; i < kMaxSteps && in.remaining_bytes() > 0; ++i) {
        course.open = a.open;
        if (!a.open) course.viewDiffers = course.dragged = false;
        const Step step = NextStep(in, course);
        look.places = step.name == "ListIndex read" || in.ConsumeBool();
        look.viewDiffers = course.viewDiffers;
        course.dragged = course.dragged || (table.Estimated() && step.placing == Placing::Dragged);
        look.dragged = course.dragged;
        const bool filtered = memory.On([](Session& s) { return s.control().FilterList(); });
        a = memory.On([&](Session& s) { return Play(s, step, look); });
        b = server.On([&](Session& s) { return Play(s, step, look); });
        // A list placed elsewhere (see Placing) scrolls from another top than the list in memory
        // until a host's read makes the places exact and both show the same open list again:
        // even a list closed and opened again on a row with an empty text keeps its top.
        if ((table.Estimated() && step.placing != Placing::Exact &&
             step.placing != Placing::CommittedBack) ||
            step.placing == Placing::NoRow || step.placing == Placing::HostPut)
            course.otherTop = true;
        const auto rows = [](Session& s) { return s.ListState().count; };
        if (filtered && step.placing == Placing::HostPut) {
            if (a != b || memory.On(rows) != server.On(rows)) return;
        }
        // Escape takes back the same committed row and text on both; only the rows the closed
        // list holds may differ.
        if (filtered && step.placing == Placing::CommittedBack &&
            memory.On(rows) != server.On(rows)) {
            if (WithoutWindowRows(a) != WithoutWindowRows(b)) trail.Differ(step.name, a, b);
            return;
        }
        if (a != b) {
            if (!course.otherTop || !OnlyTheViewDiffers(a, b, step.placing, course.dragged))
                trail.Differ(step.name, a, b);
            course.viewDiffers = true;
        } else if (a.places && a.open && !look.viewDiffers) {
            course.otherTop = false;
        }
        trail.Add(step.name, a);
    }
}

}  // namespace
}  // namespace cp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    cp::fuzz::RunSession(in);
    return 0;
}
