// korvane-cli commands over the exchange files: export and import of the active profile and
// of macros, against the database of the selected model.
#include "app/documents/ExchangeFiles.h"
#include "cli/CliCommand.h"
#include "cli/StoreSelection.h"

#include <climits>
#include <cstdlib>

namespace {

// A positive decimal id, or 0.
int ParseId(const std::string& text)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || !end || *end || errno || value <= 0 || value > INT_MAX) return 0;
    return static_cast<int>(value);
}

int RunExportProfile(CliContext& context)
{
    if (context.args.size() != 1) return context.Usage("export-profile needs FILE");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    // The lighting records exist once the lighting page has shown the profile; the file
    // carries them.
    selection.EnsureLighting();
    const int profile = selection.Profile();
    std::wstring name;
    selection.Store().GetProfileName(profile, name);
    if (!ExportProfile(context.args[0], profile, profile, name, selection.HasLighting()))
        return context.Fail("cannot write " + context.args[0]);
    return 0;
}

int RunImportProfile(CliContext& context)
{
    if (context.args.size() != 1) return context.Usage("import-profile needs FILE");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    // The import updates the lighting records the profile has: make sure it has them.
    selection.EnsureLighting();
    if (!ImportProfile(context.args[0], selection.Profile(), selection.HasLighting()))
        return context.Fail("cannot import " + context.args[0] + ": not a readable profile file");
    return 0;
}

int RunExportMacro(CliContext& context)
{
    if (context.args.size() != 2) return context.Usage("export-macro needs ID and FILE");
    const int id = ParseId(context.args[0]);
    if (id == 0) return context.Usage("bad macro id " + context.args[0]);
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    MacroRecord macro;
    if (!selection.Store().GetMacro(id, macro)) return context.Fail("no macro " + context.args[0]);
    if (!ExportMacro(context.args[1], id)) return context.Fail("cannot write " + context.args[1]);
    return 0;
}

int RunExportMacros(CliContext& context)
{
    if (context.args.size() != 1) return context.Usage("export-macros needs FILE");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    if (!ExportAllMacros(context.args[0])) return context.Fail("cannot write " + context.args[0]);
    return 0;
}

int RunImportMacro(CliContext& context)
{
    if (context.args.size() != 1) return context.Usage("import-macro needs FILE");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    const int id = ImportMacro(context.args[0]);
    if (id < 1) return context.Fail("cannot import " + context.args[0] + ": not a readable macro file");
    context.Out() << id << "\n";
    return 0;
}

int RunImportMacros(CliContext& context)
{
    if (context.args.size() != 1) return context.Usage("import-macros needs FILE");
    StoreSelection selection(context);
    if (int status = selection.OpenOrFail()) return status;
    std::vector<int> ids;
    if (!ImportAllMacros(context.args[0], ids))
        return context.Fail("cannot import " + context.args[0] + ": not a readable macro file");
    for (int id : ids)
        context.Out() << id << "\n";
    return 0;
}

} // namespace

KORVANE_CLI_COMMAND("export-profile", "export-profile FILE", "save the active profile to an XML file",
                    RunExportProfile);
KORVANE_CLI_COMMAND("import-profile", "import-profile FILE",
                    "load a profile file into the active profile (named after the file)", RunImportProfile);
KORVANE_CLI_COMMAND("export-macro", "export-macro ID FILE", "save one macro to an XML file", RunExportMacro);
KORVANE_CLI_COMMAND("export-macros", "export-macros FILE", "save every macro to one XML file",
                    RunExportMacros);
KORVANE_CLI_COMMAND("import-macro", "import-macro FILE", "add the macro of a macro file; prints its id",
                    RunImportMacro);
KORVANE_CLI_COMMAND("import-macros", "import-macros FILE",
                    "add every macro of an all-macros file; prints the new ids", RunImportMacros);
