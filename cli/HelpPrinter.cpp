// The help texts as the terminal shows them and as the manual page
// kova-batch(1), both from the verb help table.
#include "HelpPrinter.h"

#include "Verb.h"

#include <ostream>
#include <sstream>

namespace kova::cli {
namespace {

constexpr std::size_t kTextWidth = 79;

const char* const kExitStatus =
    "0 success; 1 the job failed (the message says why); 2 a bad option, value or input file; "
    "3 track --fail-on-lost lost a target for more than 5 frames in a row; 130 tracking "
    "interrupted by Ctrl-C (the frames tracked so far are kept).";

std::string OptionLabel(const OptionHelp& option) {
    return option.values.empty() ? option.name : option.name + " " + option.values;
}

// Words of `text` on lines of at most kTextWidth columns, each after
// `indent`, the lines after the first after `indent` and `hanging`.
void PrintWrapped(std::ostream& out, const std::string& text, const std::string& indent,
                  const std::string& hanging = "") {
    std::istringstream words(text);
    std::string word;
    std::string line = indent;
    bool empty = true;
    while (words >> word) {
        if (!empty && line.size() + 1 + word.size() > kTextWidth) {
            out << line << '\n';
            line = indent + hanging;
            empty = true;
        }
        line += (empty ? "" : " ") + word;
        empty = false;
    }
    out << line << '\n';
}

void PrintOptions(std::ostream& out, const std::vector<OptionHelp>& options) {
    for (const OptionHelp& option : options) {
        out << "  " << OptionLabel(option) << '\n';
        PrintWrapped(out, option.meaning, "      ");
        PrintWrapped(out, "default: " + option.byDefault, "      ");
    }
}

// roff text: backslashes and hyphens escaped, no line starting a request.
std::string Roff(const std::string& text) {
    std::string escaped;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\'')) escaped += "\\&";
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else
            escaped += c;
        lineStart = c == '\n';
    }
    return escaped;
}

void ManOptions(std::ostream& out, const std::vector<OptionHelp>& options) {
    for (const OptionHelp& option : options)
        out << ".TP\n.B " << Roff(OptionLabel(option)) << '\n'
            << Roff(option.meaning) << ".\nDefault: " << Roff(option.byDefault) << ".\n";
}

void ManVerb(std::ostream& out, const VerbHelp& help) {
    out << ".SS " << Roff(help.verb) << '\n'
        << Roff(help.summary) << ".\n.PP\n.B kova\\-batch " << Roff(help.verb) << '\n'
        << Roff(help.synopsis) << '\n';
    ManOptions(out, help.options);
    if (!help.files.empty()) out << ".PP\n.nf\n" << Roff(help.files) << ".fi\n";
    out << ".PP\nExample:\n.RS\n.nf\n" << Roff(help.example) << "\n.fi\n.RE\n";
}

} // namespace

std::string VersionLine() {
    return std::string("kova-batch ") + KOVA_VERSION;
}

void PrintOverview(std::ostream& out) {
    out << "usage: kova-batch [--cfg FILE] VERB [OPTIONS]\n"
           "       kova-batch [--cfg FILE] --show-params\n"
           "       kova-batch help [VERB] | VERB --help | --version\n\n"
           "options before the verb:\n";
    PrintOptions(out, GlobalOptions());
    out << "\nverbs:\n";
    for (const Verb& verb : Verbs()) {
        const std::string name = verb.name;
        const VerbHelp* help = FindVerbHelp(name);
        out << "  " << name << std::string(name.size() < 12 ? 12 - name.size() : 1, ' ')
            << (help ? help->summary : std::string()) << '\n';
    }
    out << "\n\"kova-batch help VERB\" shows a verb's options, input files and an example.\n";
}

void PrintVerbHelp(const VerbHelp& help, std::ostream& out) {
    out << "kova-batch " << help.verb << ": " << help.summary << "\n\nusage:\n";
    PrintWrapped(out, "kova-batch [--cfg FILE] " + help.verb + " " + help.synopsis, "  ", "    ");
    if (!help.options.empty()) {
        out << "\noptions:\n";
        PrintOptions(out, help.options);
    }
    if (!help.files.empty()) {
        out << "\ninput files:\n";
        std::istringstream lines(help.files);
        for (std::string text; std::getline(lines, text);)
            out << "  " << text << '\n';
    }
    out << "\nexample:\n  " << help.example << '\n';
}

void PrintManPage(std::ostream& out) {
    out << ".TH KOVA\\-BATCH 1 \"\" \"" << Roff(VersionLine()) << "\" \"User Commands\"\n"
        << ".SH NAME\nkova\\-batch \\- track, tabulate and correct kova measurements from the "
           "command line\n"
        << ".SH SYNOPSIS\n.B kova\\-batch\n[\\-\\-cfg FILE] VERB [OPTIONS]\n.br\n"
        << ".B kova\\-batch\n[\\-\\-cfg FILE] \\-\\-show\\-params\n.br\n"
        << ".B kova\\-batch\nhelp [VERB] | VERB \\-\\-help | \\-\\-version\n"
        << ".SH DESCRIPTION\nEach verb does one job of the kova program on files, with the "
           "system configuration of the current folder or of \\-\\-cfg. Messages go to "
           "standard error.\n"
        << ".SH OPTIONS\n";
    ManOptions(out, GlobalOptions());
    out << ".SH VERBS\n";
    for (const Verb& verb : Verbs())
        if (const VerbHelp* help = FindVerbHelp(verb.name)) ManVerb(out, *help);
    out << ".SH EXIT STATUS\n" << Roff(kExitStatus) << '\n';
}

} // namespace kova::cli
