// The saver window's two message tables, run on real windows: for each row
// the state and the message go in; out come the result, the WM_CLOSE
// requests found in the queue, whether DefWindowProcA ran (seen through the
// test program's import table), the cursor and lastCursor.
#include "close_rules.h"
#include "password_lock.h"
#include "win/saver_test_window.h"
#include "saver_window.h"
#include "startup.h"
#include "win/system_calls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <imm.h>
#include <string>
#include <vector>

// Found by the test macros through the argument's (global) namespace.
static bool operator==(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

static std::ostream& operator<<(std::ostream& out, POINT point)
{
    return out << "(" << point.x << ", " << point.y << ")";
}

namespace {

enum class State { Watching, Preview, Checking, Approved };

const char* StateName(State state)
{
    switch (state) {
    case State::Watching: return "watching";
    case State::Preview: return "preview";
    case State::Checking: return "checking";
    case State::Approved: return "approved";
    }
    return "?";
}

void EnterState(State state)
{
    isPreview = state == State::Preview;
    verifying = state == State::Checking;
    unlocked = state == State::Approved;
}

// A checker of the tests' own, put in verifyPassword directly.
BOOL checkerAnswer;
int checkerCalls;

BOOL WINAPI ScriptedChecker(HWND)
{
    ++checkerCalls;
    return checkerAnswer;
}

constexpr int NO_CHECKER = -1;

void InstallChecker(int answer)
{
    checkerCalls = 0;
    checkerAnswer = answer;
    verifyPassword = answer == NO_CHECKER ? nullptr : ScriptedChecker;
}

// The result column: a number, or whatever DefWindowProcA gave.
constexpr LRESULT DEF = LONG_MIN;
// A stand-in for the registered "QueryCancelAutoPlay" message in the rows.
constexpr UINT AUTOPLAY = 0xFFFFFFFF;

constexpr POINT HOME = {300, 200};  // where the cursor stands during a row
constexpr POINT FAR_AWAY = {20, 20};  // lastCursor before a row

std::string Hex(UINT value)
{
    char text[16];
    snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

LPARAM DefaultLParam(UINT message)
{
    static HELPINFO help = {sizeof(HELPINFO), HELPINFO_WINDOW, 0, nullptr, 0, {0, 0}};
    switch (message) {
    case WM_SETCURSOR: return MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    case WM_HELP: return reinterpret_cast<LPARAM>(&help);
    case WM_CONTEXTMENU: return MAKELPARAM(5000, 5000);  // off the window
    case WM_SETTEXT: return reinterpret_cast<LPARAM>("Changed");
    default: return 0;
    }
}

// A row's name as a test name: letters and digits, the rest '_'.
template <typename Row>
std::string RowTestName(const ::testing::TestParamInfo<Row>& info)
{
    std::string name;
    for (const char* c = info.param.name; *c; ++c) name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetHostState();
        checkerCalls = 0;
        ASSERT_TRUE(PlaceCursor(HOME.x, HOME.y));
    }

    void TearDown() override
    {
        for (HWND window : windows_)
            if (IsWindow(window)) DestroyWindow(window);
        TakePostedCloses(nullptr);
        TakeQuit();
    }

    HWND Track(HWND window)
    {
        EXPECT_NE(window, nullptr) << "error " << GetLastError();
        windows_.push_back(window);
        return window;
    }

    // A saver window in the given state, created while that state's
    // isPreview holds (a preview is a child of a parent window).
    HWND SaverWindowIn(State state)
    {
        EnterState(state);
        HWND parent = state == State::Preview ? Track(CreateParentTestWindow()) : nullptr;
        isPreview = parent != nullptr;
        HWND window = Track(CreateSaverTestWindow(parent));
        TakePostedCloses(window);
        return window;
    }

    // What DefWindowProcA did with message, from the record.
    static std::vector<LRESULT> DefaultResults(const SystemCallRecorder& recorder, UINT message)
    {
        std::vector<LRESULT> results;
        for (const RecordedCall& call : recorder.Calls())
            if (call.text == "DefWindowProcA " + Hex(message)) results.push_back(call.result);
        return results;
    }

    std::vector<HWND> windows_;
};

// ---------------------------------------------------------------------------
// SaverDefaultProc, called as WaterfallProc calls it.

struct DefaultProcRow {
    const char* name;
    State state;
    bool win9x;
    int checker;  // the checker's answer, or NO_CHECKER
    UINT message;
    WPARAM wParam;
    // out
    LRESULT result;
    int closesPosted;
    bool defWindowProc;
    bool cursorHidden;
    bool lastCursorMoved;  // to the cursor; otherwise it stays where it was
    bool destroyed;
    int checkerCalls;
};

std::ostream& operator<<(std::ostream& out, const DefaultProcRow& row)
{
    return out << row.name;
}

// clang-format off
const DefaultProcRow DEFAULT_PROC_ROWS[] = {
    // name                                 state            9x     checker     message            wParam  result closes def    hidden moved  destroyed asked
    // The watch rules, full screen.
    {"key down closes",                     State::Watching, false, NO_CHECKER, WM_KEYDOWN,        'A',    DEF,   1, true,  false, false, false, 0},
    {"system key down closes",              State::Watching, false, NO_CHECKER, WM_SYSKEYDOWN,     'X',    DEF,   1, true,  false, false, false, 0},
    {"left button closes",                  State::Watching, false, NO_CHECKER, WM_LBUTTONDOWN,    MK_LBUTTON, DEF, 1, true, false, false, false, 0},
    {"right button closes",                 State::Watching, false, NO_CHECKER, WM_RBUTTONDOWN,    MK_RBUTTON, DEF, 1, true, false, false, false, 0},
    {"middle button closes",                State::Watching, false, NO_CHECKER, WM_MBUTTONDOWN,    MK_MBUTTON, DEF, 1, true, false, false, false, 0},
    {"mouse travel closes, reference moves",State::Watching, false, NO_CHECKER, WM_MOUSEMOVE,      0,      DEF,   1, true,  false, true,  false, 0},
    {"losing activation closes",            State::Watching, false, NO_CHECKER, WM_ACTIVATEAPP,    0,      DEF,   1, true,  false, false, false, 0},
    {"gaining activation does not",         State::Watching, false, NO_CHECKER, WM_ACTIVATEAPP,    1,      DEF,   0, true,  false, false, false, 0},
    {"critical resume closes",              State::Watching, false, NO_CHECKER, WM_POWER,          PWR_CRITICALRESUME, DEF, 1, true, false, false, false, 0},
    {"other power news does not",           State::Watching, false, NO_CHECKER, WM_POWER,          1,      DEF,   0, true,  false, false, false, 0},
    {"power broadcast closes",              State::Watching, false, NO_CHECKER, WM_POWERBROADCAST, 0,      DEF,   1, true,  false, false, false, 0},
    {"power broadcast closes, any wParam",  State::Watching, false, NO_CHECKER, WM_POWERBROADCAST, 0x12,   DEF,   1, true,  false, false, false, 0},
    {"being shown hides the cursor",        State::Watching, false, NO_CHECKER, WM_SHOWWINDOW,     1,      DEF,   0, true,  true,  false, false, 0},
    {"being hidden leaves it",              State::Watching, false, NO_CHECKER, WM_SHOWWINDOW,     0,      DEF,   0, true,  false, false, false, 0},
    {"set cursor hides it, answered 1",     State::Watching, false, NO_CHECKER, WM_SETCURSOR,      0,      1,     0, false, true,  false, false, 0},
    {"key up is not watched",               State::Watching, false, NO_CHECKER, WM_KEYUP,          'A',    DEF,   0, true,  false, false, false, 0},
    {"character is not watched",            State::Watching, false, NO_CHECKER, WM_CHAR,           'a',    DEF,   0, true,  false, false, false, 0},
    {"system key up is not watched",        State::Watching, false, NO_CHECKER, WM_SYSKEYUP,       'X',    DEF,   0, true,  false, false, false, 0},
    {"button up is not watched",            State::Watching, false, NO_CHECKER, WM_LBUTTONUP,      0,      DEF,   0, true,  false, false, false, 0},
    {"double click is not watched",         State::Watching, false, NO_CHECKER, WM_LBUTTONDBLCLK,  0,      DEF,   0, true,  false, false, false, 0},
    {"wheel is not watched",                State::Watching, false, NO_CHECKER, WM_MOUSEWHEEL,     MAKEWPARAM(0, 120), DEF, 0, true, false, false, false, 0},
    {"X button is not watched",             State::Watching, false, NO_CHECKER, WM_XBUTTONDOWN,    MAKEWPARAM(0, XBUTTON1), DEF, 0, true, false, false, false, 0},
    {"non-client button is not watched",    State::Watching, false, NO_CHECKER, WM_NCLBUTTONDOWN,  HTNOWHERE, DEF, 0, true, false, false, false, 0},
    {"non-client move is not watched",      State::Watching, false, NO_CHECKER, WM_NCMOUSEMOVE,    HTNOWHERE, DEF, 0, true, false, false, false, 0},
    // Close and the lock's request.
    {"close outside 9x destroys",           State::Watching, false, NO_CHECKER, WM_CLOSE,          0,      DEF,   0, true,  false, false, true,  0},
    {"request outside 9x is the default's", State::Watching, false, NO_CHECKER, WM_APP,            0,      DEF,   0, true,  false, false, false, 0},
    {"close on 9x without a checker",       State::Watching, true,  NO_CHECKER, WM_CLOSE,          0,      DEF,   0, true,  false, false, true,  0},
    {"request on 9x without a checker",     State::Watching, true,  NO_CHECKER, WM_APP,            0,      1,     0, false, false, false, false, 0},
    {"close refused by the checker",        State::Watching, true,  0,          WM_CLOSE,          0,      0,     0, false, true,  true,  false, 1},
    {"close accepted by the checker",       State::Watching, true,  1,          WM_CLOSE,          0,      DEF,   0, true,  false, false, true,  1},
    {"request answered as it comes",        State::Watching, true,  2,          WM_APP,            0,      2,     0, false, false, false, false, 1},
    // A check is running: close and request still handled, input not watched.
    {"close during a check is refused",     State::Checking, true,  1,          WM_CLOSE,          0,      0,     0, false, false, true,  false, 0},
    {"request during a check is answered",  State::Checking, true,  2,          WM_APP,            0,      2,     0, false, false, false, false, 1},
    {"key during a check",                  State::Checking, true,  1,          WM_KEYDOWN,        'A',    DEF,   0, true,  false, false, false, 0},
    {"travel during a check",               State::Checking, true,  1,          WM_MOUSEMOVE,      0,      DEF,   0, true,  false, false, false, 0},
    {"set cursor during a check",           State::Checking, true,  1,          WM_SETCURSOR,      0,      DEF,   0, true,  false, false, false, 0},
    {"deactivation during a check",         State::Checking, true,  1,          WM_ACTIVATEAPP,    0,      DEF,   0, true,  false, false, false, 0},
    // The preview never closes on input and never hides the cursor.
    {"key in the preview",                  State::Preview,  false, NO_CHECKER, WM_KEYDOWN,        'A',    DEF,   0, true,  false, false, false, 0},
    {"click in the preview",                State::Preview,  false, NO_CHECKER, WM_LBUTTONDOWN,    MK_LBUTTON, DEF, 0, true, false, false, false, 0},
    {"travel in the preview",               State::Preview,  false, NO_CHECKER, WM_MOUSEMOVE,      0,      DEF,   0, true,  false, false, false, 0},
    {"set cursor in the preview",           State::Preview,  false, NO_CHECKER, WM_SETCURSOR,      0,      DEF,   0, true,  false, false, false, 0},
    {"being shown in the preview",          State::Preview,  false, NO_CHECKER, WM_SHOWWINDOW,     1,      DEF,   0, true,  false, false, false, 0},
    {"deactivation in the preview",         State::Preview,  false, NO_CHECKER, WM_ACTIVATEAPP,    0,      DEF,   0, true,  false, false, false, 0},
    {"close in the preview, no check",      State::Preview,  true,  0,          WM_CLOSE,          0,      DEF,   0, true,  false, false, true,  0},
    {"request in the preview",              State::Preview,  true,  2,          WM_APP,            0,      DEF,   0, true,  false, false, false, 0},
    // Approved: the window is on its way out; only the default runs.
    {"key once approved",                   State::Approved, true,  1,          WM_KEYDOWN,        'A',    DEF,   0, true,  false, false, false, 0},
    {"set cursor once approved",            State::Approved, true,  1,          WM_SETCURSOR,      0,      DEF,   0, true,  false, false, false, 0},
    {"request once approved",               State::Approved, true,  2,          WM_APP,            0,      DEF,   0, true,  false, false, false, 0},
    {"close once approved, no check",       State::Approved, true,  0,          WM_CLOSE,          0,      DEF,   0, true,  false, false, true,  0},
    // "QueryCancelAutoPlay" closes in every state, answered by whether a checker is loaded.
    {"auto-play, no checker",               State::Watching, false, NO_CHECKER, AUTOPLAY,          0,      0,     1, false, false, false, false, 0},
    {"auto-play with a checker",            State::Watching, true,  0,          AUTOPLAY,          0,      1,     1, false, false, false, false, 0},
    {"auto-play in the preview",            State::Preview,  true,  NO_CHECKER, AUTOPLAY,          0,      0,     1, false, false, false, false, 0},
    {"auto-play during a check",            State::Checking, true,  0,          AUTOPLAY,          0,      1,     1, false, false, false, false, 0},
    {"auto-play once approved",             State::Approved, true,  0,          AUTOPLAY,          0,      1,     1, false, false, false, false, 0},
};
// clang-format on

class SaverDefaultProcTable : public SaverWindowTest, public ::testing::WithParamInterface<DefaultProcRow> {};

TEST_P(SaverDefaultProcTable, Row)
{
    const DefaultProcRow& row = GetParam();
    HWND window = SaverWindowIn(row.state);
    isWin9x = row.win9x;
    InstallChecker(row.checker);
    UINT message = row.message;
    if (message == AUTOPLAY) message = autoPlayMsg = RegisterWindowMessageA("QueryCancelAutoPlay");
    lastCursor = FAR_AWAY;
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);

    SystemCallRecorder recorder({"DefWindowProcA"});
    LRESULT result = SaverDefaultProc(window, message, row.wParam, DefaultLParam(message));
    std::vector<LRESULT> defaults = DefaultResults(recorder, message);

    SCOPED_TRACE(std::string(StateName(row.state)) + (row.win9x ? ", 9x, " : ", ") + "message " + Hex(message));
    EXPECT_EQ(defaults.size(), row.defWindowProc ? 1u : 0u) << "DefWindowProcA calls";
    if (row.result == DEF) {
        if (!defaults.empty()) {
            EXPECT_EQ(result, defaults.front());
        }
    } else {
        EXPECT_EQ(result, row.result);
    }
    EXPECT_EQ(TakePostedCloses(window), row.closesPosted) << "close requests posted";
    EXPECT_EQ(GetCursor() == nullptr, row.cursorHidden) << "cursor hidden";
    EXPECT_EQ(lastCursor, row.lastCursorMoved ? HOME : FAR_AWAY) << "lastCursor";
    EXPECT_EQ(!IsWindow(window), row.destroyed) << "window destroyed";
    EXPECT_EQ(checkerCalls, row.checkerCalls) << "checker asked";
}

INSTANTIATE_TEST_SUITE_P(Rows, SaverDefaultProcTable, ::testing::ValuesIn(DEFAULT_PROC_ROWS),
                         RowTestName<DefaultProcRow>);

TEST_F(SaverWindowTest, WithoutAutoPlayMessageNumberZeroIsTheDefaults)
{
    HWND window = SaverWindowIn(State::Watching);
    SystemCallRecorder recorder({"DefWindowProcA"});
    SaverDefaultProc(window, 0, 0, 0);
    EXPECT_EQ(DefaultResults(recorder, 0).size(), 1u);
    EXPECT_EQ(TakePostedCloses(window), 0);
}

TEST_F(SaverWindowTest, CloseAcceptedWithAnswerTwoStoresTwo)
{
    HWND window = SaverWindowIn(State::Watching);
    isWin9x = TRUE;
    InstallChecker(2);
    SaverDefaultProc(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(unlocked, 2u);
    EXPECT_FALSE(IsWindow(window));
}

// ---------------------------------------------------------------------------
// The mouse travel rule: the cursor is really moved, the message's own
// coordinates are something else.

struct Move {
    int dx, dy;      // from the start point
    bool closes;
    bool reference;  // lastCursor moves here; otherwise it stays
};

struct TravelRow {
    const char* name;
    std::vector<Move> moves;
};

std::ostream& operator<<(std::ostream& out, const TravelRow& row)
{
    return out << row.name;
}

const TravelRow TRAVEL_ROWS[] = {
    {"ExactlyFourPixelsPostNothing", {{2, 2, false, false}}},
    {"FivePixelsClose", {{3, -2, true, true}}},
    {"FourAlongOneAxis", {{0, 4, false, false}}},
    {"FiveToTheLeft", {{-5, 0, true, true}}},
    {"ThreeMovesOfTwoAddUp", {{2, 0, false, false}, {4, 0, false, false}, {6, 0, true, true}}},
    {"BackAndForthWithinReach", {{4, 0, false, false}, {0, 0, false, false}, {-4, 0, false, false}, {0, -4, false, false}}},
    {"AfterAClosePostTheReferenceMoves", {{5, 0, true, true}, {8, 0, false, false}, {10, 0, true, true}}},
};

class MouseTravel : public SaverWindowTest, public ::testing::WithParamInterface<TravelRow> {};

TEST_P(MouseTravel, Moves)
{
    const POINT start = {400, 300};
    ASSERT_TRUE(PlaceCursor(start.x, start.y));
    HWND window = SaverWindowIn(State::Watching);
    ASSERT_EQ(lastCursor, start) << "set at creation";
    POINT reference = start;
    int step = 0;
    for (const Move& move : GetParam().moves) {
        SCOPED_TRACE("move " + std::to_string(++step));
        POINT to = {start.x + move.dx, start.y + move.dy};
        ASSERT_TRUE(PlaceCursor(to.x, to.y));
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(150, 150));
        if (move.reference) reference = to;
        EXPECT_EQ(TakePostedCloses(window), move.closes ? 1 : 0);
        EXPECT_EQ(lastCursor, reference);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, MouseTravel, ::testing::ValuesIn(TRAVEL_ROWS),
                         [](const ::testing::TestParamInfo<TravelRow>& info) { return info.param.name; });

// Travel is 32-bit arithmetic compared unsigned: a reference point at the
// far end of the number range is far away, even where a signed difference
// would turn negative; a sum that wraps to 0 is no travel.
TEST_F(SaverWindowTest, TravelIsComparedUnsigned)
{
    struct Case {
        POINT reference;
        int closes;
    } cases[] = {
        {{LONG_MIN, HOME.y}, 1},    // |dx| = 2^31
        {{LONG_MIN + HOME.x, LONG_MIN + HOME.y}, 0},  // 2^31 + 2^31 wraps to 0
    };
    HWND window = SaverWindowIn(State::Watching);
    for (const Case& c : cases) {
        lastCursor = c.reference;
        SendMessageA(window, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(TakePostedCloses(window), c.closes) << "reference " << c.reference;
    }
}

TEST_F(SaverWindowTest, AfterARefusedCheckTheReferenceIsWhereTheCursorStands)
{
    const POINT start = {400, 300};
    ASSERT_TRUE(PlaceCursor(start.x, start.y));
    HWND window = SaverWindowIn(State::Watching);
    isWin9x = TRUE;
    InstallChecker(0);

    ASSERT_TRUE(PlaceCursor(start.x + 3, start.y));
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(TakePostedCloses(window), 0);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(checkerCalls, 1);
    EXPECT_EQ(lastCursor, (POINT{start.x + 3, start.y}));

    ASSERT_TRUE(PlaceCursor(start.x + 7, start.y));  // 7 from the start, 4 from where the check was refused
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(TakePostedCloses(window), 0);
    ASSERT_TRUE(PlaceCursor(start.x + 8, start.y));
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(TakePostedCloses(window), 1);
}

// ---------------------------------------------------------------------------
// HostWindowProc, through the window system's SendMessageA.

struct HostRow {
    const char* name;
    State state;
    UINT message;
    WPARAM wParam;
    // out
    LRESULT result;
    bool defWindowProc;
    bool passedOn;  // reached WaterfallProc and the close rules
    bool cursorHidden;
    int closesPosted;
};

std::ostream& operator<<(std::ostream& out, const HostRow& row)
{
    return out << row.name;
}

// clang-format off
const HostRow HOST_ROWS[] = {
    // name                              state            message         wParam       result def    passed hidden closes
    {"title kept",                       State::Watching, WM_SETTEXT,     0,           0,     false, false, false, 0},
    {"title kept in the preview",        State::Preview,  WM_SETTEXT,     0,           0,     false, false, false, 0},
    {"title kept once approved",         State::Approved, WM_SETTEXT,     0,           0,     false, false, false, 0},
    {"paint hides the cursor",           State::Watching, WM_PAINT,       0,           DEF,   true,  true,  true,  0},
    {"paint in the preview",             State::Preview,  WM_PAINT,       0,           DEF,   true,  true,  false, 0},
    {"paint during a check",             State::Checking, WM_PAINT,       0,           DEF,   true,  true,  true,  0},
    {"paint once approved",              State::Approved, WM_PAINT,       0,           DEF,   true,  false, false, 0},
    {"help, full screen",                State::Watching, WM_HELP,        0,           DEF,   true,  true,  false, 0},
    {"help in the preview",              State::Preview,  WM_HELP,        0,           1,     false, false, false, 0},
    {"context menu, full screen",        State::Watching, WM_CONTEXTMENU, 0,           DEF,   true,  true,  false, 0},
    {"context menu in the preview",      State::Preview,  WM_CONTEXTMENU, 0,           1,     false, false, false, 0},
    {"key",                              State::Watching, WM_KEYDOWN,     'A',         DEF,   true,  true,  false, 1},
    {"system key",                       State::Watching, WM_SYSKEYDOWN,  'X',         DEF,   true,  true,  false, 1},
    {"mouse move",                       State::Watching, WM_MOUSEMOVE,   0,           DEF,   true,  true,  false, 1},
    {"left button",                      State::Watching, WM_LBUTTONDOWN, 0,           DEF,   true,  true,  false, 1},
    {"right button",                     State::Watching, WM_RBUTTONDOWN, 0,           DEF,   true,  true,  false, 1},
    {"middle button",                    State::Watching, WM_MBUTTONDOWN, 0,           DEF,   true,  true,  false, 1},
    {"key in the preview",               State::Preview,  WM_KEYDOWN,     'A',         DEF,   true,  true,  false, 0},
    {"key during a check",               State::Checking, WM_KEYDOWN,     'A',         DEF,   true,  true,  false, 0},
    {"key once approved",                State::Approved, WM_KEYDOWN,     'A',         DEF,   true,  false, false, 0},
    {"system key once approved",         State::Approved, WM_SYSKEYDOWN,  'X',         DEF,   true,  false, false, 0},
    {"mouse move once approved",         State::Approved, WM_MOUSEMOVE,   0,           DEF,   true,  false, false, 0},
    {"left button once approved",        State::Approved, WM_LBUTTONDOWN, 0,           DEF,   true,  false, false, 0},
    {"right button once approved",       State::Approved, WM_RBUTTONDOWN, 0,           DEF,   true,  false, false, 0},
    {"middle button once approved",      State::Approved, WM_MBUTTONDOWN, 0,           DEF,   true,  false, false, 0},
    {"next window ignored",              State::Watching, WM_SYSCOMMAND,  SC_NEXTWINDOW, 0,   false, false, false, 0},
    {"previous window ignored",          State::Watching, WM_SYSCOMMAND,  SC_PREVWINDOW, 0,   false, false, false, 0},
    {"screen save ignored",              State::Watching, WM_SYSCOMMAND,  SC_SCREENSAVE, 0,   false, false, false, 0},
    {"screen save ignored once approved",State::Approved, WM_SYSCOMMAND,  SC_SCREENSAVE, 0,   false, false, false, 0},
    {"whole wParam compared, low bits",  State::Watching, WM_SYSCOMMAND,  0xF142,      DEF,   true,  true,  false, 0},
    {"whole wParam compared, high bits", State::Watching, WM_SYSCOMMAND,  0x1F140,     DEF,   true,  true,  false, 0},
    {"screen save in the preview",       State::Preview,  WM_SYSCOMMAND,  SC_SCREENSAVE, DEF, true,  true,  false, 0},
    {"next window in the preview",       State::Preview,  WM_SYSCOMMAND,  SC_NEXTWINDOW, DEF, true,  true,  false, 0},
    {"tick",                             State::Watching, WM_TIMER,       100,         DEF,   true,  true,  false, 0},
    {"tick of any timer",                State::Watching, WM_TIMER,       7,           DEF,   true,  true,  false, 0},
    {"tick in the preview",              State::Preview,  WM_TIMER,       100,         DEF,   true,  true,  false, 0},
    {"tick during a check is drawn",     State::Checking, WM_TIMER,       100,         DEF,   true,  true,  false, 0},
    {"tick once approved is dropped",    State::Approved, WM_TIMER,       100,         0,     false, false, false, 0},
    {"any other message",                State::Watching, WM_USER + 1,    0,           DEF,   true,  true,  false, 0},
    {"any other message once approved",  State::Approved, WM_USER + 1,    0,           DEF,   true,  true,  false, 0},
};
// clang-format on

class HostWindowProcTable : public SaverWindowTest, public ::testing::WithParamInterface<HostRow> {
protected:
    struct Outcome {
        LRESULT result;
        std::vector<LRESULT> defaults;
        bool cursorHidden;
        int closes;
    };

    Outcome Send(HWND window, const HostRow& row)
    {
        lastCursor = FAR_AWAY;
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        SystemCallRecorder recorder({"DefWindowProcA"});
        Outcome outcome;
        outcome.result = SendMessageA(window, row.message, row.wParam, DefaultLParam(row.message));
        outcome.defaults = DefaultResults(recorder, row.message);
        outcome.cursorHidden = GetCursor() == nullptr;
        outcome.closes = TakePostedCloses(window);
        return outcome;
    }
};

// Whether a message reached the chain is seen by making it the auto-play
// message for a second send: SaverDefaultProc then posts one more close
// request and keeps it from DefWindowProcA, in every state.
TEST_P(HostWindowProcTable, Row)
{
    const HostRow& row = GetParam();
    HWND window = SaverWindowIn(row.state);
    SCOPED_TRACE(std::string(StateName(row.state)) + ", message " + Hex(row.message));

    Outcome plain = Send(window, row);
    EXPECT_EQ(plain.defaults.size(), row.defWindowProc ? 1u : 0u) << "DefWindowProcA calls";
    if (row.result == DEF) {
        if (!plain.defaults.empty()) {
            EXPECT_EQ(plain.result, plain.defaults.front());
        }
    } else {
        EXPECT_EQ(plain.result, row.result);
    }
    EXPECT_EQ(plain.cursorHidden, row.cursorHidden) << "cursor hidden";
    EXPECT_EQ(plain.closes, row.closesPosted) << "close requests posted";

    autoPlayMsg = row.message;
    Outcome probed = Send(window, row);
    EXPECT_EQ(probed.closes == plain.closes + 1, row.passedOn) << "passed on to the chain";
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Screen Saver");
}

INSTANTIATE_TEST_SUITE_P(Rows, HostWindowProcTable, ::testing::ValuesIn(HOST_ROWS),
                         RowTestName<HostRow>);

TEST_F(SaverWindowTest, TitleStaysAsCreatedInEveryState)
{
    for (State state : {State::Watching, State::Preview, State::Checking, State::Approved}) {
        HWND window = SaverWindowIn(state);
        EXPECT_FALSE(SetWindowTextA(window, "Changed")) << StateName(state);
        char title[32] = {};
        GetWindowTextA(window, title, sizeof title);
        EXPECT_STREQ(title, "Screen Saver") << StateName(state);
    }
}

TEST_F(SaverWindowTest, TickGivesUpTheTimeSliceBeforeTheChain)
{
    HWND window = SaverWindowIn(State::Watching);
    SystemCallRecorder recorder({"DefWindowProcA", "Sleep"});
    SendMessageA(window, WM_TIMER, 100, 0);
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"Sleep 0", "DefWindowProcA 0x0113"}));

    recorder.Clear();
    unlocked = 1;
    SendMessageA(window, WM_TIMER, 100, 0);
    EXPECT_TRUE(recorder.Texts().empty());
}

std::string PostText(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    char text[96];
    snprintf(text, sizeof text, "PostMessageA %p 0x%04X %p %p", static_cast<void*>(window), message,
             reinterpret_cast<void*>(wParam), reinterpret_cast<void*>(lParam));
    return text;
}

// The window system refuses to post WM_HELP, whose lParam is a pointer, so
// only the call shows for it; the context menu arrives in the parent's queue.
TEST_F(SaverWindowTest, PreviewHelpGoesToTheParentWithItsOwnHandle)
{
    for (UINT message : {UINT(WM_HELP), UINT(WM_CONTEXTMENU)}) {
        SCOPED_TRACE(Hex(message));
        HWND window = SaverWindowIn(State::Preview);
        HWND parent = GetParent(window);
        const LPARAM lParam = DefaultLParam(message);
        SystemCallRecorder recorder({"PostMessageA", "DefWindowProcA"});
        EXPECT_EQ(SendMessageA(window, message, 0, lParam), 1);
        EXPECT_EQ(recorder.Texts(),
                  std::vector<std::string>{PostText(parent, message, reinterpret_cast<WPARAM>(parent), lParam)});
        if (message == WM_CONTEXTMENU) {
            MSG posted = {};
            ASSERT_TRUE(PeekMessageA(&posted, parent, message, message, PM_REMOVE));
            EXPECT_EQ(posted.wParam, reinterpret_cast<WPARAM>(parent));
            EXPECT_EQ(posted.lParam, lParam);
        }
    }
}

TEST_F(SaverWindowTest, PreviewHelpWithoutALiveParentIsDropped)
{
    // No parent at all: a preview window that is a top-level window.
    isPreview = TRUE;
    HWND orphan = Track(CreateSaverTestWindow());
    // A parent that is no longer a window.
    HWND child = SaverWindowIn(State::Preview);
    for (HWND window : {orphan, child}) {
        SystemCallRecorder recorder({"GetParent", "PostMessageA", "DefWindowProcA"});
        recorder.Script().staleParent = window == child;
        EXPECT_EQ(SendMessageA(window, WM_CONTEXTMENU, 0, 0), 1);
        EXPECT_EQ(recorder.Texts("GetParent").size(), 1u);
        EXPECT_EQ(recorder.Texts("PostMessageA"), std::vector<std::string>{});
        EXPECT_EQ(recorder.Texts("DefWindowProcA"), std::vector<std::string>{});
    }
}

// ---------------------------------------------------------------------------
// Creation and destruction: lastCursor, the cursor, the input context and
// the quit message.

HIMC ContextOf(HWND window)
{
    HIMC context = ImmGetContext(window);
    if (context) ImmReleaseContext(window, context);
    return context;
}

TEST_F(SaverWindowTest, CreationTakesTheCursorAndHidesItFullScreen)
{
    for (State state : {State::Watching, State::Preview}) {
        SCOPED_TRACE(StateName(state));
        ASSERT_TRUE(PlaceCursor(123, 45));
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        lastCursor = FAR_AWAY;
        SaverWindowIn(state);
        EXPECT_EQ(lastCursor, (POINT{123, 45}));
        EXPECT_EQ(GetCursor() == nullptr, state == State::Watching);
    }
}

TEST_F(SaverWindowTest, InputContextDetachedAtCreationAndGivenBackBeforeQuit)
{
    SystemCallRecorder recorder({"GetModuleHandleA", "GetProcAddress", "PostQuitMessage"});
    HWND window = SaverWindowIn(State::Watching);
    EXPECT_EQ(imeModule, GetModuleHandleA("IMM32.DLL")) << "Wine's window system has it loaded";
    EXPECT_NE(imeAssociate, nullptr);
    EXPECT_NE(savedImeContext, nullptr);
    EXPECT_EQ(ContextOf(window), nullptr) << "no input context while the saver runs";
    EXPECT_EQ(recorder.Texts("Imm"), (std::vector<std::string>{"ImmAssociateContext none"}));

    recorder.Clear();
    DestroyWindow(window);
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"ImmAssociateContext saved", "PostQuitMessage 0"}));
    WPARAM code = 1;
    EXPECT_TRUE(TakeQuit(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(SaverWindowTest, WithoutTheInputMethodLibraryNothingIsDetachedOrGivenBack)
{
    SystemCallRecorder recorder({"GetModuleHandleA", "GetProcAddress", "PostQuitMessage"});
    recorder.Script().hideInputMethod = true;
    HWND window = SaverWindowIn(State::Watching);
    EXPECT_EQ(imeModule, nullptr);
    EXPECT_EQ(imeAssociate, nullptr);
    EXPECT_EQ(savedImeContext, nullptr);
    EXPECT_NE(ContextOf(window), nullptr) << "the window keeps its context";
    EXPECT_EQ(recorder.Texts("GetProcAddress"), std::vector<std::string>{});

    recorder.Clear();
    DestroyWindow(window);
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"PostQuitMessage 0"}));
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, WithNoContextToDetachNothingIsGivenBack)
{
    SystemCallRecorder recorder({"GetProcAddress", "PostQuitMessage"});
    recorder.Script().noInputContext = true;
    HWND window = SaverWindowIn(State::Watching);
    EXPECT_EQ(savedImeContext, nullptr);
    recorder.Clear();
    DestroyWindow(window);
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"PostQuitMessage 0"}));
    EXPECT_TRUE(TakeQuit());
}

}  // namespace
