#include "app/CCommandTable.h"

#include "app/CCommandId.h"
#include "resources/CResourceId.h"

#include <algorithm>
#include <array>

namespace {

using S = CCommandState;
using Row = CCommandTable::Row;
using Owner = CCommandTable::Owner;
using Toolbar = CCommandTable::Toolbar;
using Mark = CCommandTable::Mark;
using Id = CCommandId;
using R = CResourceId;

constexpr unsigned File = CCommandTable::In(R::MenuFile);
constexpr unsigned Edit = CCommandTable::In(R::MenuEdit);
constexpr unsigned View = CCommandTable::In(R::MenuView);
constexpr unsigned Bars = CCommandTable::In(R::MenuToolbar);
constexpr unsigned Mode = CCommandTable::In(R::MenuMode);
constexpr unsigned Movie = CCommandTable::In(R::MenuMovie);
constexpr unsigned Help = CCommandTable::In(R::MenuHelp);
constexpr unsigned Mosaic = CCommandTable::In(R::MenuContextMosaic);
constexpr unsigned MosaicEx = CCommandTable::In(R::MenuContextMosaicEx);

constexpr bool Always(const S&) { return true; }
constexpr bool Open(const S& s) { return s.open; }
constexpr bool OpenMovie(const S& s) { return s.open && !s.image; }
constexpr bool StepFrames(const S& s) { return s.open && !s.Plays() && !s.image; }
constexpr bool GapsToMend(const S& s) { return StepFrames(s) && s.gapsExist; }
constexpr bool Trackable(const S& s) { return StepFrames(s) && s.editMode == 1 && s.trackOnFrame; }
template <int Bar>
constexpr bool BarVisible(const S& s) { return s.barVisible[Bar]; }
template <int Mode>
constexpr bool InMode(const S& s) { return s.editMode == Mode; }
template <std::size_t Entry>
constexpr bool RecentEntry(const S& s) { return s.recentFiles > Entry; }

constexpr Row Command(int id, unsigned menus, bool separatorBefore, const char* key,
                      Toolbar toolbar, int button, Owner owner, CCommandTable::Rule enabled,
                      CCommandTable::Rule checked = nullptr, Mark mark = Mark::None,
                      bool buttonChecked = false) {
    return {id, id, menus, separatorBefore, key, toolbar, button, owner, enabled, checked, mark,
            buttonChecked};
}

constexpr Toolbar NoBar = Toolbar::None;
constexpr Owner App = Owner::Application;
constexpr Owner Frame = Owner::MainFrame;
constexpr Owner ViewOwner = Owner::View;

// In menu order: a row's place within each popup is its place in this list.
constexpr std::array kRows{
    Command(Id::Open, File, false, "F1", Toolbar::Standard, 0, App,
            [](const S& s) { return !s.Plays() && !s.progressOnly; }),
    Command(Id::Close, File, false, "Ctrl+W", NoBar, -1, App,
            [](const S& s) { return s.open && !s.playing; }),
    Command(Id::Save, File, true, "F5", Toolbar::Standard, 6, Frame,
            [](const S& s) { return s.open && !s.Plays() && !s.progressOnly; }),
    Command(Id::SaveProgress, File, false, nullptr, NoBar, -1, Frame,
            [](const S& s) { return s.open && s.progressModified && !s.Plays(); }),
    Command(Id::SaveBitmap, File, false, nullptr, NoBar, -1, Frame,
            [](const S& s) { return s.open && !s.Plays() && !s.image; }),
    Command(Id::PlaySavedMovie, File, true, "F10", NoBar, -1, Frame,
            [](const S& s) { return s.savedOutput && !s.image; }),
    Command(Id::RemoveAllMosaic, File, true, nullptr, NoBar, -1, Frame,
            [](const S& s) { return s.open && s.areasExist && !s.Plays(); }),
    Command(Id::RecentFile1, File, true, nullptr, NoBar, -1, App, RecentEntry<0>),
    Command(Id::RecentFile1 + 1, File, false, nullptr, NoBar, -1, App, RecentEntry<1>),
    Command(Id::RecentFile1 + 2, File, false, nullptr, NoBar, -1, App, RecentEntry<2>),
    Command(Id::RecentFile4, File, false, nullptr, NoBar, -1, App, RecentEntry<3>),
    Command(Id::Exit, File, true, nullptr, NoBar, -1, Frame, Always),

    Command(Id::Undo, Edit, false, "Ctrl+Z", NoBar, -1, Frame,
            [](const S& s) { return s.open && !s.Plays() && s.canUndo; }),
    Command(Id::Redo, Edit, false, "Ctrl+Y;Ctrl+Shift+Z", NoBar, -1, Frame,
            [](const S& s) { return s.open && !s.Plays() && s.canRedo; }),
    Command(Id::FillGaps, Edit, true, nullptr, NoBar, -1, Frame, GapsToMend),
    Command(Id::NextGap, Edit, false, "G", NoBar, -1, Frame, GapsToMend),
    Command(Id::Track, Edit, true, "T", Toolbar::Movie, 6, Frame, Trackable),
    Command(Id::TrackBack, Edit, false, "Shift+T", NoBar, -1, Frame, Trackable),

    Command(Id::VideoSize, View, false, nullptr, NoBar, -1, Frame, Open),
    Command(Id::Deinterlace, View, true, "F9", Toolbar::Option, 0, Frame, OpenMovie,
            [](const S& s) { return s.open && !s.image && s.lineDouble; }, Mark::Check, true),
    Command(Id::StandardBar, Bars, false, nullptr, NoBar, -1, Frame, Always,
            BarVisible<S::StandardBar>, Mark::Check),
    Command(Id::MovieBar, Bars, false, nullptr, NoBar, -1, Frame, Always, BarVisible<S::MovieBar>,
            Mark::Check),
    Command(Id::OptionBar, Bars, false, nullptr, NoBar, -1, Frame, Always,
            BarVisible<S::OptionBar>, Mark::Check),
    Command(Id::SliderBar, Bars, false, nullptr, NoBar, -1, Frame, Always,
            BarVisible<S::SliderBar>, Mark::Check),
    Command(Id::MosaicTypeBar, Bars, false, nullptr, NoBar, -1, Frame, Always,
            BarVisible<S::MosaicTypeBar>, Mark::Check),
    Command(Id::StatusBar, View, false, nullptr, NoBar, -1, Frame, Always,
            BarVisible<S::StatusBar>, Mark::Check),

    Command(Id::FixedMode, Mode, false, "F2", Toolbar::Standard, 2, Frame, Open, InMode<0>,
            Mark::Radio, true),
    Command(Id::MovingMode, Mode, false, "F3", Toolbar::Standard, 3, Frame, OpenMovie, InMode<1>,
            Mark::Radio, true),
    Command(Id::PreviewMode, Mode, false, "F4", Toolbar::Standard, 4, Frame, Open, InMode<2>,
            Mark::Radio, true),

    Command(Id::First, Movie, false, "Home", Toolbar::Movie, 0, Frame, StepFrames),
    Command(Id::Back, Movie, false, "Left", Toolbar::Movie, 1, Frame, StepFrames),
    Command(Id::PlayWithAudio, Movie, true, "F6", NoBar, -1, Frame,
            [](const S& s) { return s.soundFile; }),
    Command(Id::Stop, Movie, true, "F7", NoBar, -1, Frame,
            [](const S& s) { return s.open && s.playing; }),
    Command(Id::Play, Movie, false, "F8", Toolbar::Movie, 2, Frame, OpenMovie,
            [](const S& s) { return s.Plays(); }, Mark::Check),
    Command(Id::Next, Movie, true, "Right", Toolbar::Movie, 3, Frame, StepFrames),
    Command(Id::Last, Movie, false, "End", Toolbar::Movie, 4, Frame, StepFrames),
    Command(Id::ContinuousPlay, Movie, true, nullptr, NoBar, -1, Frame, OpenMovie,
            [](const S& s) { return s.loopPlay; }, Mark::Check),

    Command(Id::Help, Help, false, nullptr, NoBar, -1, App, Always),
    Command(Id::About, Help, true, nullptr, NoBar, -1, App, Always),

    Command(Id::AreaDelete, Mosaic, false, nullptr, NoBar, -1, ViewOwner, Always),
    Command(Id::TrackRemoveAll, MosaicEx, false, nullptr, NoBar, -1, ViewOwner, Always),
    Command(Id::TrackRemoveAfter, MosaicEx, false, nullptr, NoBar, -1, ViewOwner, Always),
    Command(Id::TrackModify, MosaicEx, true, nullptr, NoBar, -1, ViewOwner, Always),
    Command(Id::ContextCancel, Mosaic | MosaicEx, true, nullptr, NoBar, -1, ViewOwner, Always),
};

constexpr std::array kPopups{
    CCommandTable::Popup{R::MenuFile, 0, false, false},
    CCommandTable::Popup{R::MenuEdit, 0, false, false},
    CCommandTable::Popup{R::MenuView, 0, false, false},
    CCommandTable::Popup{R::MenuToolbar, R::MenuView, true, false},
    CCommandTable::Popup{R::MenuMode, 0, false, false},
    CCommandTable::Popup{R::MenuMovie, 0, false, false},
    CCommandTable::Popup{R::MenuHelp, 0, false, false},
    CCommandTable::Popup{R::MenuContextMosaic, 0, false, true},
    CCommandTable::Popup{R::MenuContextMosaicEx, 0, false, true},
};

} // namespace

std::span<const CCommandTable::Row> CCommandTable::Rows() {
    return kRows;
}

std::span<const CCommandTable::Popup> CCommandTable::Popups() {
    return kPopups;
}

const CCommandTable::Row* CCommandTable::Find(int id) {
    const auto found =
        std::find_if(kRows.begin(), kRows.end(), [id](const Row& row) { return row.id == id; });
    return found == kRows.end() ? nullptr : &*found;
}
