// Settings store commands of korvane-cli: profiles, settings keys, key assignments, macros and
// lighting of the selected model's database.
#include "app/documents/LanguageText.h"
#include "cli/CliCommand.h"
#include "cli/StoreSelection.h"
#include "platform/Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// A whole decimal 32-bit integer, nothing else.
bool ParseInt(const std::string& text, int& value)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long n = std::strtoll(text.c_str(), &end, 10);
    if (errno || !end || *end || n < INT_MIN || n > INT_MAX) return false;
    value = static_cast<int>(n);
    return true;
}

std::string Utf8(const std::wstring& text)
{
    return platform::ToUtf8(text);
}

// The remaining arguments from index `from`, joined with blanks (a name may be given unquoted).
std::string JoinArgs(const std::vector<std::string>& args, size_t from)
{
    std::string joined;
    for (size_t i = from; i < args.size(); ++i)
        joined += (i > from ? " " : "") + args[i];
    return joined;
}

bool ProfileExists(SettingsStore& store, int profile)
{
    std::wstring name;
    return store.GetProfileName(profile, name);
}

// ---- Profiles -------------------------------------------------------------------------------

int RunProfiles(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("profiles takes no arguments");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    std::vector<ProfileRecord> profiles;
    selection.Store().LoadProfiles(profiles);
    for (const ProfileRecord& p : profiles)
        context.Out() << p.profile << "\t" << Utf8(p.name) << "\t" << (p.status == 1 ? 1 : 0) << "\n";
    return 0;
}

int RunProfile(CliContext& context)
{
    const std::vector<std::string>& args = context.args;
    int id = 0;
    if (args.size() < 2 || (args[0] != "use" && args[0] != "rename"))
        return context.Usage("profile needs use ID or rename ID NAME");
    if (!ParseInt(args[1], id) || id < 1) return context.Usage("bad profile id " + args[1]);
    if (args[0] == "use" && args.size() != 2) return context.Usage("profile use takes one id");
    const std::string name = JoinArgs(args, 2);
    if (args[0] == "rename" && name.empty()) return context.Usage("profile rename needs a name");
    if (args[0] == "rename" && !platform::IsValidUtf8(name))
        return context.Usage("the name is not UTF-8 text");

    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    SettingsStore& store = selection.Store();
    if (!ProfileExists(store, id)) return context.Fail("no profile " + args[1]);
    if (args[0] == "use") {
        if (!store.SetActiveProfile(id) || store.GetActiveProfile() != id)
            return context.Fail("cannot make profile " + args[1] + " active");
        return 0;
    }
    if (!store.RenameProfile(id, platform::FromUtf8(name)))
        return context.Fail("cannot rename profile " + args[1]);
    return 0;
}

// ---- Settings keys --------------------------------------------------------------------------

int RunGet(CliContext& context)
{
    if (context.args.size() != 1) return context.Usage("get takes one key");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    std::wstring value;
    if (!selection.Store().GetSetting(selection.Profile(), platform::FromUtf8(context.args[0]), value))
        return context.Fail("no setting " + context.args[0] + " in profile " +
                            std::to_string(selection.Profile()));
    context.Out() << Utf8(value) << "\n";
    return 0;
}

int RunSet(CliContext& context)
{
    if (context.args.size() != 2) return context.Usage("set takes a key and a value");
    const std::string& key = context.args[0];
    const std::string& value = context.args[1];
    int number = 0;
    // Every key but the layout version holds a decimal integer; the pages and the device
    // synchronisation read the values that way.
    if (key != "version" && !ParseInt(value, number))
        return context.Usage("the value of " + key + " must be an integer");
    if (!platform::IsValidUtf8(value)) return context.Usage("the value is not UTF-8 text");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    SettingsStore& store = selection.Store();
    const std::wstring wideKey = platform::FromUtf8(key);
    std::wstring old;
    // Writing a key that does not exist changes nothing; say so instead of reporting success.
    if (!store.GetSetting(selection.Profile(), wideKey, old))
        return context.Fail("no setting " + key + " in profile " + std::to_string(selection.Profile()));
    if (!store.SetSetting(selection.Profile(), wideKey, platform::FromUtf8(value)))
        return context.Fail("cannot write " + key);
    return 0;
}

// ---- Key assignments ------------------------------------------------------------------------

int RunKeys(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("keys takes no arguments");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    std::vector<KeyAssignmentRecord> keys;
    selection.Store().LoadKeyAssignments(selection.Profile(), keys);
    for (const KeyAssignmentRecord& k : keys)
        context.Out() << k.key_code << "\t" << k.macro_type << "\t" << k.macro_value << "\t" << k.macro_value2
                      << "\t" << Utf8(k.macro_desc) << "\n";
    return 0;
}

int RunAssign(CliContext& context)
{
    const std::vector<std::string>& args = context.args;
    if (args.size() < 3) return context.Usage("assign needs BUTTON TYPE VALUE");
    KeyAssignmentRecord record;
    if (!ParseInt(args[0], record.key_code) || record.key_code < 0 || record.key_code > 255)
        return context.Usage("bad button " + args[0]);
    if (!ParseInt(args[1], record.macro_type) || record.macro_type < 1 || record.macro_type > 9)
        return context.Usage("bad function type " + args[1] + " (1 to 9)");
    if (!ParseInt(args[2], record.macro_value)) return context.Usage("bad value " + args[2]);
    if (args.size() > 3 && !ParseInt(args[3], record.macro_value2))
        return context.Usage("bad value " + args[3]);
    const std::string desc = JoinArgs(args, 4);
    if (!platform::IsValidUtf8(desc)) return context.Usage("the description is not UTF-8 text");
    record.macro_desc = platform::FromUtf8(desc);

    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    SettingsStore& store = selection.Store();
    record.profile = selection.Profile();
    if (record.macro_type == 4) {
        MacroRecord macro;
        if (!store.GetMacro(record.macro_value, macro)) return context.Fail("no macro " + args[2]);
        // The button list shows a macro assignment by the macro's name.
        if (record.macro_desc.empty()) record.macro_desc = macro.name;
    }
    const bool factory = record.macro_value == 0 && record.macro_value2 == 0;
    if (store.SaveKeyAssignment(record) == 0 && !factory) return context.Fail("cannot store the assignment");
    return 0;
}

int RunUnassign(CliContext& context)
{
    if (context.args.size() != 1) return context.Usage("unassign takes one button");
    KeyAssignmentRecord record;
    if (!ParseInt(context.args[0], record.key_code) || record.key_code < 0 || record.key_code > 255)
        return context.Usage("bad button " + context.args[0]);
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    // The factory function: type 1 with no value removes the button's row.
    record.profile = selection.Profile();
    record.macro_type = 1;
    selection.Store().SaveKeyAssignment(record);
    KeyAssignmentRecord left;
    if (selection.Store().GetKeyAssignment(record.profile, record.key_code, left))
        return context.Fail("cannot remove the assignment of button " + context.args[0]);
    return 0;
}

// ---- Macros ---------------------------------------------------------------------------------

int RunMacros(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("macros takes no arguments");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    SettingsStore& store = selection.Store();
    std::vector<MacroRecord> macros;
    store.LoadMacros(macros);
    std::vector<MacroEventRecord> events;
    for (const MacroRecord& m : macros)
        context.Out() << m.macro_id << "\t" << Utf8(m.name) << "\t"
                      << store.LoadMacroEvents(m.macro_id, events) << "\n";
    return 0;
}

int RunMacro(CliContext& context)
{
    const std::vector<std::string>& args = context.args;
    if (args.size() >= 2 && args[0] == "add") {
        const std::string name = JoinArgs(args, 1);
        if (!platform::IsValidUtf8(name)) return context.Usage("the name is not UTF-8 text");
        StoreSelection selection(context);
        if (int status = selection.OpenOrFail()) return status;
        const int id = selection.Store().AddMacro(platform::FromUtf8(name));
        if (id == 0) return context.Fail("cannot add the macro");
        context.Out() << id << "\n";
        return 0;
    }
    if (args.size() == 2 && args[0] == "delete") {
        int id = 0;
        if (!ParseInt(args[1], id) || id < 1) return context.Usage("bad macro id " + args[1]);
        StoreSelection selection(context);
        if (int status = selection.OpenOrFail()) return status;
        MacroRecord macro;
        if (!selection.Store().GetMacro(id, macro)) return context.Fail("no macro " + args[1]);
        if (!selection.Store().DeleteMacro(id)) return context.Fail("cannot delete macro " + args[1]);
        return 0;
    }
    return context.Usage("macro needs add NAME or delete ID");
}

// ---- Lighting -------------------------------------------------------------------------------

int RunLights(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("lights takes no arguments");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    SettingsStore& store = selection.Store();
    // As the lighting page does on loading a profile: a profile without records gets the
    // defaults of the effects the model offers.
    selection.EnsureLighting();
    std::vector<LightRecord> lights;
    store.LoadLightRecords(selection.Profile(), lights);
    for (const LightRecord& l : lights) {
        // The effect's name in the user's language; the built-in name when the text is missing.
        const std::wstring shown = LanguageText(l.reserved);
        context.Out() << l.mode << "\t" << Utf8(shown.empty() ? l.name : shown) << "\tactive=" << l.status
                      << " brightness=" << l.brightness << " speed=" << l.speed
                      << " direction=" << l.direction << " colorful=" << l.colorful
                      << " colorindex=" << l.colorindex << " colors=";
        for (int i = 0; i < 7; ++i)
            context.Out() << (i ? "," : "") << l.color_value[i];
        context.Out() << "\n";
    }
    return 0;
}

} // namespace

KORVANE_CLI_COMMAND("profiles", "profiles", "list the profiles: id, name, 1 for the active one", RunProfiles);
KORVANE_CLI_COMMAND("profile", "profile use ID | profile rename ID NAME",
                    "make a profile active, or rename it", RunProfile);
KORVANE_CLI_COMMAND("get", "get KEY", "print a setting of the active profile", RunGet);
KORVANE_CLI_COMMAND("set", "set KEY VALUE", "change a setting of the active profile", RunSet);
KORVANE_CLI_COMMAND("keys", "keys",
                    "list the button assignments of the active profile: button, type, value, value2, text",
                    RunKeys);
KORVANE_CLI_COMMAND("assign", "assign BUTTON TYPE VALUE [VALUE2 [DESC]]",
                    "give a button of the active profile another function (type 1-9; value 0 restores it)",
                    RunAssign);
KORVANE_CLI_COMMAND("unassign", "unassign BUTTON", "restore a button's factory function", RunUnassign);
KORVANE_CLI_COMMAND("macros", "macros", "list the macros: id, name, number of events", RunMacros);
KORVANE_CLI_COMMAND("macro", "macro add NAME | macro delete ID", "add a macro (prints its id) or delete one",
                    RunMacro);
KORVANE_CLI_COMMAND("lights", "lights", "list the lighting effects of the active profile", RunLights);
