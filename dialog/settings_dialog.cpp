// The settings dialog: template 2003 and its procedure.
//
// The procedure works at two moments only. When the dialog opens it reads
// the settings file and checks the button of each value; on OK it takes the
// four values from the buttons and writes them. Drawing, focus, the radio
// groups' own switching, Esc and the close button are the platform's.
#include "settings_dialog.h"

#include "saver_settings.h"

namespace {

constexpr int BUTTON_HIDDEN_BOUNCE_LEFT = 1011;

struct Choice {
    int button;
    int16_t value;
};

// One set of radio buttons standing for one setting. The buttons are set,
// and asked on OK, in the order listed. The table is indexed by SettingKey.
struct ChoiceSet {
    SettingKey key;
    Choice choices[7];
    int count;
    int16_t otherValue;    // its button is checked at opening for a value that no button has
    int askedOnOk;         // OK asks only the first buttons...
    int16_t noneChecked;   // ...and takes this when none of them is checked
};

constexpr ChoiceSet kChoiceSets[] = {
    // 4 fast, 2 normal, 1 very slow
    {SETTING_SPEED, {{1000, 4}, {1001, 2}, {1002, 1}}, 3, 1, 2, 1},
    // still in the centre, bounce, bounce launched left (hidden), left and
    // right, up and down, clockwise and counter-clockwise along the edges
    {SETTING_MOVING,
     {{1009, 0}, {1010, 1}, {BUTTON_HIDDEN_BOUNCE_LEFT, 2}, {1012, 3}, {1013, 4}, {1014, 5}, {1015, 6}},
     7, 0, 7, 0},
    // with the sound of the falls, without it
    {SETTING_SOUND, {{1021, 0}, {1022, 1}}, 2, 0, 1, 1},
    // far view, near view
    {SETTING_DISTANCE, {{1024, 1}, {1025, 0}}, 2, 0, 1, 0},
};

// Sets every button of the set explicitly, so that exactly one is checked
// whatever the file holds; the hidden motion button counts as one of its set.
void CheckStoredChoice(HWND window, const ChoiceSet& set)
{
    const int16_t stored = ReadSetting(set.key);
    int16_t shown = set.otherValue;
    for (int i = 0; i < set.count; ++i)
        if (set.choices[i].value == stored) shown = stored;
    for (int i = 0; i < set.count; ++i)
        CheckDlgButton(window, set.choices[i].button, set.choices[i].value == shown ? BST_CHECKED : BST_UNCHECKED);
}

int16_t CheckedValue(HWND window, const ChoiceSet& set)
{
    for (int i = 0; i < set.askedOnOk; ++i)
        if (IsDlgButtonChecked(window, set.choices[i].button)) return set.choices[i].value;
    return set.noneChecked;
}

BOOL OpenSettings(HWND window)
{
    for (const ChoiceSet& set : kChoiceSets) CheckStoredChoice(window, set);
    // Both push buttons carry the default style, and a dialog manager may keep
    // the last one, Cancel, as the default (Wine does, even with the focus on
    // OK): Enter at opening must press OK.
    SendMessageA(window, DM_SETDEFID, IDOK, 0);
    return TRUE;  // the focus goes to the first tab stop, OK
}

// A failed write must not pass for a saved choice: the user is told which
// file could not be written and the dialog ends as if cancelled.
void ReportFailedWrite(HWND window)
{
    char text[MAX_PATH + 64];
    // "設定を保存できませんでした。" (The settings could not be saved.), in
    // the Japanese ANSI code page like every other text of the dialog.
    lstrcpyA(text, "\x90\xdd\x92\xe8\x82\xf0\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1"
                   "\x82\xc5\x82\xb5\x82\xbd\x81\x42\r\n\r\n");
    const int length = lstrlenA(text);
    const UINT folder = GetWindowsDirectoryA(text + length, MAX_PATH);
    if (folder > 0 && folder < MAX_PATH) lstrcatA(text, "\\");
    else text[length] = '\0';
    lstrcatA(text, SETTINGS_FILE);
    // "設定画面" (settings screen), the end of the dialog's caption.
    MessageBoxA(window, text, "\x90\xdd\x92\xe8\x89\xe6\x96\xca", MB_OK | MB_ICONERROR);
}

BOOL SaveSettings(HWND window)
{
    // Every value is taken from the buttons before anything is written.
    SaverSettings settings;
    settings.speed = CheckedValue(window, kChoiceSets[SETTING_SPEED]);
    settings.moveMode = CheckedValue(window, kChoiceSets[SETTING_MOVING]);
    settings.soundOff = CheckedValue(window, kChoiceSets[SETTING_SOUND]);
    settings.distance = CheckedValue(window, kChoiceSets[SETTING_DISTANCE]);
    const bool saved = WriteSaverSettings(settings);
    if (!saved) ReportFailedWrite(window);
    EndDialog(window, saved ? 1 : 0);
    return TRUE;
}

// The hidden button sits in a group of its own, so the platform does not
// clear it when a visible motion button is clicked; OK asks it before four
// of them and would store the hidden choice instead of the one on screen.
void ForgetHiddenMotion(HWND window, int button)
{
    const ChoiceSet& motion = kChoiceSets[SETTING_MOVING];
    for (int i = 0; i < motion.count; ++i)
        if (motion.choices[i].button == button && button != BUTTON_HIDDEN_BOUNCE_LEFT)
            CheckDlgButton(window, BUTTON_HIDDEN_BOUNCE_LEFT, BST_UNCHECKED);
}

}  // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OpenSettings(window);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            return SaveSettings(window);
        case IDCANCEL:
            EndDialog(window, 0);
            return TRUE;
        default:
            ForgetHiddenMotion(window, LOWORD(wParam));
            return FALSE;
        }
    default:
        return FALSE;
    }
}
