// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "ctl.h"

#include "featurespage.h"
#include "messagetexts.h"
#include "printers.h"
#include "settingnames.h"
#include "settingsjob.h"
#include "settingslists.h"
#include "setup.h"

#include <algorithm>
#include <exception>
#include <istream>
#include <ostream>
#include <stdexcept>

namespace
{
const char usageText[] =
    "Usage: tr7400ctl list\n"
    "       tr7400ctl encode [SETTING=CHOICE ...]\n"
    "       tr7400ctl apply [-P PRINTER] [--yes] SETTING=CHOICE ... | --defaults\n"
    "       tr7400ctl features [-P PRINTER] [--ibm]\n"
    "       tr7400ctl printers [--json]\n"
    "       tr7400ctl setup [--device URI] [--name QUEUE] [--default] [--user-default]\n";

const char helpText[] =
    "\n"
    "Sets the permanent settings of an Altrune TR 7400 printer and prints its\n"
    "features page through the print spooler, as the Printer Configuration\n"
    "Utility does.\n"
    "\n"
    "Commands:\n"
    "  list       every setting with its choices; * marks the factory setting\n"
    "  encode     the 14 bytes that store the settings, in hex; nothing is sent\n"
    "  apply      stores the settings in the printer; every setting not named\n"
    "             takes its factory setting, as the printer's cannot be read back\n"
    "  features   prints the features page\n"
    "  printers   the print queues and the printer devices the spooler sees\n"
    "  setup      makes a raw queue for the TR 7400, enabled and accepting jobs\n"
    "\n"
    "Options:\n"
    "  -P, --printer NAME  the printer; without it, the default printer (as lp)\n"
    "  -y, --yes           send without asking whether the printer is ready\n"
    "      --defaults      store the factory settings (apply)\n"
    "      --ibm           the page in the IBM command set (features)\n"
    "      --json          one JSON document, for scripts (printers)\n"
    "      --device URI    the printer's device, as printers lists it (setup)\n"
    "      --name QUEUE    the queue's name, TR7400 without it (setup)\n"
    "      --default       make it the system's default printer (setup)\n"
    "      --user-default  make it your own default printer (setup)\n"
    "  -h, --help          this text\n"
    "      --version       the version\n"
    "\n"
    "Settings and choices are named by their text, where case, spaces, hyphens\n"
    "and underscores do not count (page-length=14-inch, \"Page Length=14 Inch\"),\n"
    "and a choice also by its number (page-length=#11): see tr7400ctl list.\n"
    "\n"
    "Exit status: 0 sent (or set up), 1 not confirmed, 2 usage error, 3 no default\n"
    "printer, 4 the printer could not be opened (or the spooler reached), 5 the\n"
    "printer is busy, 6 the spooler refused or broke off the job, 7 no TR 7400\n"
    "device found, 8 several found and none named, 9 only printer administrators\n"
    "may do that.\n";

const char versionText[] =
    "tr7400ctl 1.00\n"
    "Copyright 2026 the Printer Configuration Utility authors\n"
    "License GPLv3+: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

enum class Command { Help, Version, List, Encode, Apply, Features, Printers, Setup };

struct Request {
    Command command = Command::Help;
    std::string commandName;
    std::string printer;
    bool yes = false;
    bool defaults = false;
    bool ibm = false;
    bool json = false;
    SetupRequest setup;
    std::vector<std::string> assignments;
};

// A mistake in the command line; its text says what was wrong.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string listOf(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + quoted(name);
    return text;
}

Command commandNamed(const std::string& name)
{
    if (name == "list")
        return Command::List;
    if (name == "encode")
        return Command::Encode;
    if (name == "apply")
        return Command::Apply;
    if (name == "features")
        return Command::Features;
    if (name == "printers")
        return Command::Printers;
    if (name == "setup")
        return Command::Setup;
    throw UsageError("unknown command " + quoted(name) + "; the commands are " +
                     listOf({"list", "encode", "apply", "features", "printers", "setup"}));
}

// "--name VALUE" or "--name=VALUE" at i, its value in value (i moves past it).
bool takesValue(const std::vector<std::string>& arguments, std::size_t& i,
                const std::string& option, std::string& value)
{
    const std::string& argument = arguments[i];
    if (argument == option) {
        if (i + 1 == arguments.size())
            throw UsageError(option + " needs a value");
        value = arguments[++i];
        return true;
    }
    if (argument.rfind(option + "=", 0) == 0) {
        value = argument.substr(option.size() + 1);
        return true;
    }
    return false;
}

// A queue's name as CUPS takes it, and a device that is a URI.
void checkSetup(const SetupRequest& setup)
{
    if (setup.queue.empty() || setup.queue.size() > 127 ||
        setup.queue.find_first_of(" \t/#\\'\",") != std::string::npos ||
        std::any_of(setup.queue.begin(), setup.queue.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
        throw UsageError("--name " + quoted(setup.queue) +
                         " cannot name a queue: up to 127 characters, without spaces, quotes, "
                         "commas, /, # or \\");
    if (setup.deviceUri.empty())
        return;
    if (setup.deviceUri.find(':') == std::string::npos)
        throw UsageError("--device " + quoted(setup.deviceUri) +
                         " is not a device URI: tr7400ctl printers lists them "
                         "(usb://..., parallel:/dev/lp0)");
}

// A request of that command and nothing else.
Request only(Command command)
{
    Request request;
    request.command = command;
    return request;
}

Request parse(const std::vector<std::string>& arguments)
{
    Request request;
    bool haveCommand = false;
    bool optionsEnded = false;
    std::vector<std::string> used; // the options given, to check against the command
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "-h" || argument == "--help")) {
            return only(Command::Help);
        } else if (!optionsEnded && argument == "--version") {
            return only(Command::Version);
        } else if (!optionsEnded && (argument == "-P" || argument == "--printer")) {
            if (i + 1 == arguments.size())
                throw UsageError(argument + " needs a printer's name");
            request.printer = arguments[++i];
            used.push_back("-P");
        } else if (!optionsEnded && (argument.rfind("--printer=", 0) == 0 ||
                                     (argument.rfind("-P", 0) == 0 && argument.size() > 2))) {
            request.printer = argument.substr(argument[1] == 'P' ? 2 : 10);
            used.push_back("-P");
        } else if (!optionsEnded && (argument == "-y" || argument == "--yes")) {
            request.yes = true;
            used.push_back("--yes");
        } else if (!optionsEnded && argument == "--defaults") {
            request.defaults = true;
            used.push_back("--defaults");
        } else if (!optionsEnded && argument == "--ibm") {
            request.ibm = true;
            used.push_back("--ibm");
        } else if (!optionsEnded && argument == "--json") {
            request.json = true;
            used.push_back("--json");
        } else if (!optionsEnded && argument == "--default") {
            request.setup.systemDefault = true;
            used.push_back("--default");
        } else if (!optionsEnded && argument == "--user-default") {
            request.setup.userDefault = true;
            used.push_back("--user-default");
        } else if (!optionsEnded && takesValue(arguments, i, "--name", request.setup.queue)) {
            used.push_back("--name");
        } else if (!optionsEnded && takesValue(arguments, i, "--device", request.setup.deviceUri)) {
            used.push_back("--device");
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option " + quoted(argument));
        } else if (!haveCommand) {
            request.command = commandNamed(argument);
            request.commandName = argument;
            haveCommand = true;
        } else {
            request.assignments.push_back(argument);
        }
    }
    if (!haveCommand)
        throw UsageError("no command given");
    if (request.printer.empty() && std::find(used.begin(), used.end(), "-P") != used.end())
        throw UsageError("-P needs a printer's name");
    if (request.setup.deviceUri.empty() &&
        std::find(used.begin(), used.end(), "--device") != used.end())
        throw UsageError("--device needs a device URI");

    // Each option belongs to some commands only.
    const auto allows = [&request](const std::string& option) {
        switch (request.command) {
        case Command::Apply:
            return option == "-P" || option == "--yes" || option == "--defaults";
        case Command::Features:
            return option == "-P" || option == "--ibm";
        case Command::Printers:
            return option == "--json";
        case Command::Setup:
            return option == "--name" || option == "--device" || option == "--default" ||
                   option == "--user-default";
        default:
            return false;
        }
    };
    for (const std::string& option : used) {
        if (!allows(option))
            throw UsageError(option + " does not go with " + request.commandName);
    }
    const bool takesSettings =
        request.command == Command::Encode || request.command == Command::Apply;
    if (!takesSettings && !request.assignments.empty())
        throw UsageError("unexpected " + quoted(request.assignments.front()));
    if (request.command == Command::Setup)
        checkSetup(request.setup);
    if (request.command == Command::Apply && request.defaults == !request.assignments.empty())
        throw UsageError(request.defaults
                             ? "--defaults stores the factory settings: name no settings with it"
                             : "name the settings to store (SETTING=CHOICE), or give --defaults");
    return request;
}

// The choices named on the command line; every other setting at its factory
// setting.
struct Choices {
    ChoiceIndexes indexes{};
    std::array<bool, settingCount> named{};
};

Choices resolve(const std::vector<std::string>& assignments)
{
    Choices choices;
    for (const SettingInfo& info : settingsCatalogue())
        choices.indexes[indexOf(info.setting)] = info.defaultIndex;
    for (const std::string& assignment : assignments) {
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos)
            throw UsageError("expected SETTING=CHOICE, not " + quoted(assignment));
        const std::string name = assignment.substr(0, equals);
        const std::string choice = assignment.substr(equals + 1);
        const std::optional<Setting> setting = SettingNames::findSetting(name);
        if (!setting)
            throw UsageError("unknown setting " + quoted(name) + "; nearest: " +
                             listOf(SettingNames::nearest(name, SettingNames::typedSettings())) +
                             " (tr7400ctl list shows them all)");
        const std::string label(SettingNames::label(*setting));
        if (choices.named[indexOf(*setting)])
            throw UsageError(label + " is named twice");
        const std::optional<int> index = SettingNames::findChoice(*setting, choice);
        const SettingInfo& info = settingInfo(*setting);
        if (isFixedSetting(*setting) && index != info.defaultIndex)
            throw UsageError(label + " is fixed at " +
                             quoted(std::string(info.choices[std::size_t(info.defaultIndex)])) +
                             ": no other choice can be stored");
        if (!index) {
            const std::vector<std::string> all = SettingNames::typedChoices(*setting);
            if (!choice.empty() && choice.front() == '#')
                throw UsageError(label + " has no choice " + choice + ": its choices are #0 to #" +
                                 std::to_string(all.size() - 1));
            throw UsageError("unknown choice " + quoted(choice) + " for " + label +
                             "; nearest: " + listOf(SettingNames::nearest(choice, all)));
        }
        choices.indexes[indexOf(*setting)] = *index;
        choices.named[indexOf(*setting)] = true;
    }
    return choices;
}

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

std::string padded(std::string text, std::size_t width)
{
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

void list(std::ostream& out)
{
    for (const SettingInfo& info : settingsCatalogue()) {
        out << SettingNames::label(info.setting) << "  ("
            << SettingNames::typed(SettingNames::label(info.setting)) << ")\n";
        // A fixed setting has its factory setting as its one choice.
        const bool fixed = isFixedSetting(info.setting);
        if (fixed)
            out << "    fixed: not shown in the window, and always stored at this choice\n";
        std::size_t width = 0;
        for (std::string_view choice : info.choices)
            width = std::max(width, choice.size());
        for (std::size_t i = 0; i < info.choices.size(); ++i) {
            if (fixed && int(i) != info.defaultIndex)
                continue;
            out << (int(i) == info.defaultIndex ? "  * #" : "    #") << padded(std::to_string(i), 3)
                << padded(std::string(info.choices[i]), width + 2)
                << SettingNames::typed(info.choices[i]) << "\n";
        }
    }
}

// Tells, in the window's words, why nothing reached the printer.
class Reporter
{
  public:
    explicit Reporter(std::ostream& err) : m_err(err) {}

    void line(std::string_view text)
    {
        if (!text.empty())
            m_err << "tr7400ctl: " << text << "\n";
    }

    template <std::size_t N> void lines(const std::array<std::string_view, N>& texts)
    {
        for (std::string_view text : texts)
            line(text);
    }

    // The exit status that goes with the outcome; failures are told.
    int outcome(const SpoolResult& result, std::string_view failureLine)
    {
        using Outcome = SpoolResult::Outcome;
        switch (result.outcome) {
        case Outcome::Sent:
            return ExitStatus::sent;
        case Outcome::NoPrinter:
            lines(MessageTexts::noDriver);
            line(result.reason);
            return ExitStatus::noPrinter;
        case Outcome::NotOpened:
            lines(MessageTexts::openFailure);
            line(result.reason);
            return ExitStatus::notOpened;
        case Outcome::Busy:
            line(failureLine);
            line(MessageTexts::printerBusy);
            return ExitStatus::busy;
        case Outcome::Failed:
            break;
        }
        line(failureLine);
        line(result.reason);
        return ExitStatus::failed;
    }

  private:
    std::ostream& m_err;
};

// The printer named, or the default one; a result other than Sent when there
// is none to send to.
SpoolResult choosePrinter(Spooler& spooler, std::string& printer)
{
    if (!printer.empty()) {
        // "name/instance" names a set of options of the queue "name".
        printer = printer.substr(0, printer.find('/'));
        return {SpoolResult::Outcome::Sent, {}};
    }
    DefaultPrinter found = spooler.defaultPrinter();
    switch (found.status) {
    case DefaultPrinter::Status::Found:
        printer = std::move(found.name);
        return {SpoolResult::Outcome::Sent, {}};
    case DefaultPrinter::Status::NoPrinter:
        return {SpoolResult::Outcome::NoPrinter, found.reason};
    case DefaultPrinter::Status::SpoolerUnreachable:
        break;
    }
    return {SpoolResult::Outcome::NotOpened, found.reason};
}

bool confirmed(CtlEnvironment& environment)
{
    for (std::size_t i = 0; i + 2 < MessageTexts::printerReady.size(); ++i)
        environment.err << MessageTexts::printerReady[i] << "\n";
    environment.err << "Send the settings? [y/N] " << std::flush;
    std::string answer;
    std::getline(environment.in, answer);
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

int apply(const Request& request, CtlEnvironment& environment)
{
    const Choices choices = resolve(request.assignments);
    Reporter report(environment.err);
    if (!request.yes && !environment.interactive)
        throw UsageError("there is no terminal to ask whether the printer is ready: give --yes "
                         "to send without asking");
    const std::unique_ptr<Spooler> spooler = environment.makeSpooler();
    std::string printer = request.printer;
    if (const SpoolResult chosen = choosePrinter(*spooler, printer);
        chosen.outcome != SpoolResult::Outcome::Sent)
        return report.outcome(chosen, MessageTexts::downloadFailed);

    environment.out << "These settings will be stored in the printer " << printer << ":\n";
    std::size_t width = 0;
    for (const SettingInfo& info : settingsCatalogue())
        width = std::max(width, SettingNames::label(info.setting).size());
    for (const SettingInfo& info : settingsCatalogue()) {
        const std::size_t i = indexOf(info.setting);
        environment.out << "  " << padded(std::string(SettingNames::label(info.setting)), width + 2)
                        << info.choices[std::size_t(choices.indexes[i])]
                        << (choices.named[i] ? "" : "  (factory setting)") << "\n";
    }
    environment.out << std::flush;
    if (!request.yes && !confirmed(environment)) {
        environment.err << "Nothing was sent.\n";
        return ExitStatus::notConfirmed;
    }

    const int status = report.outcome(
        mdlFlagSettings::sendFlagSettings(*spooler, mdlFlagSettings::downloadModeSend,
                                          encodeFlagSettings(choices.indexes), printer),
        MessageTexts::downloadFailed);
    if (status != ExitStatus::sent)
        return status;
    // The printer's time to store them, as the window gives it.
    environment.pause(mdlFlagSettings::pauseAfterDownloadMs);
    environment.out << "The settings were sent to " << printer << ".\n";
    return ExitStatus::sent;
}

int features(const Request& request, CtlEnvironment& environment)
{
    Reporter report(environment.err);
    const std::unique_ptr<Spooler> spooler = environment.makeSpooler();
    std::string printer = request.printer;
    if (const SpoolResult chosen = choosePrinter(*spooler, printer);
        chosen.outcome != SpoolResult::Outcome::Sent)
        return report.outcome(chosen, MessageTexts::featuresFailed);
    const int status = report.outcome(
        sendFeaturesPage(*spooler, request.ibm ? FeaturesCommandSet::Ibm : FeaturesCommandSet::EscP,
                         printer),
        MessageTexts::featuresFailed);
    if (status == ExitStatus::sent)
        environment.out << "The features page was sent to " << printer << ".\n";
    return status;
}
} // namespace

int runCtl(const std::vector<std::string>& arguments, CtlEnvironment& environment)
{
    Request request;
    try {
        request = parse(arguments);
        switch (request.command) {
        case Command::Help:
            environment.out << usageText << helpText;
            return ExitStatus::sent;
        case Command::Version:
            environment.out << versionText;
            return ExitStatus::sent;
        case Command::List:
            list(environment.out);
            return ExitStatus::sent;
        case Command::Encode:
            environment.out << hex(mdlFlagSettings::downloadJobBytes(
                                   mdlFlagSettings::downloadModeSend,
                                   encodeFlagSettings(resolve(request.assignments).indexes)))
                            << "\n";
            return ExitStatus::sent;
        case Command::Apply:
            return apply(request, environment);
        case Command::Features:
            return features(request, environment);
        case Command::Printers:
            return listPrinters(request.json, environment);
        case Command::Setup:
            return setUpPrinter(request.setup, environment);
        }
    } catch (const UsageError& error) {
        environment.err << "tr7400ctl: " << error.what() << "\n"
                        << "Try 'tr7400ctl --help' for more.\n";
        return ExitStatus::usage;
    } catch (const std::exception& error) {
        // Anything else the spooler met: told as the window tells it.
        Reporter report(environment.err);
        if (request.command == Command::Features)
            report.line(MessageTexts::featuresFailed);
        else if (request.command == Command::Apply)
            report.line(MessageTexts::downloadFailed);
        report.line(error.what());
        return ExitStatus::failed;
    }
    return ExitStatus::usage;
}
