#pragma once

// Helpers for the end-to-end tests: run quillmark-cli with its own environment and a bound on
// its run time, read the simulator's menu reply and log, and compare what the program received
// with what the simulator holds.

#include "support/ProgramRun.h"

#include <nlohmann/json.hpp>

#include <csignal>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qm::e2e {

// How one run of quillmark-cli ended.
using CliResult = test::ProgramRun;

// Runs quillmark-cli with `args`. `env` entries ("NAME=VALUE") are set on top of the test's
// own environment. A run longer than `timeoutMs` is killed (status -1). While it runs,
// `interruptWhen` (when given) is asked every few milliseconds; the first time it says yes
// the program gets `signals` one after the other, 100 ms apart (by default one SIGINT, Ctrl+C).
// A TCP port free right now on the loopback address `address` (0 when none could be had).
int FreePortOn(const std::string& address);

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                 int timeoutMs = 30000, const std::function<bool()>& interruptWhen = {},
                 const std::vector<int>& signals = {SIGINT});

// One "KEY\t:\tVALUE[\tUNIT]" line of a menu reply.
struct ReplyLine {
    std::string key;
    std::string value; // everything after "\t:\t", the unit included
};

// The setting lines of a menu reply (lead-in marker, "END" and anything else left out).
std::vector<ReplyLine> SettingLines(const std::string& reply);

// The simulator's own ALL menu reply, asked for directly over TCP (no program code involved).
std::string RawAllReply(int tcpPort);

// Items of the program's JSON ("items") by key; a key the record holds twice has two items.
std::multimap<std::string, nlohmann::json> ItemsByKey(const nlohmann::json& document);

// Checks that every value of `reply` (the simulator's ALL reply) arrived in `document` (the
// JSON of `receive --scope all`): each setting line is a line of the program's configuration,
// or, for the keys the configuration does not carry (the printer's RFID spellings and the RFID
// calibration record), an item with that value. The wireless keys and passwords must arrive
// forgotten, as the window forgets them. Returns the faults found, one line each.
std::vector<std::string> MissingValues(const std::string& reply, const nlohmann::json& document);

// Items marked red ("error": 1), as "entry KEY=VALUE".
std::vector<std::string> RedItems(const nlohmann::json& document);

// Replaces the value of the line "KEY\t:\t..." of a settings file's text; false when the key
// is not there.
bool ReplaceValue(std::string& text, const std::string& key, const std::string& value);

// The value of the first line "KEY\t:\t..." of a reply ("" when missing).
std::string ValueOf(const std::string& reply, const std::string& key);

// Reads / writes a whole file.
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);

// Lines of the simulator's --log with the given event ("RECV", "APPLY", "REJECT", ...).
// Lines for a failure message, each indented on its own line.
std::string Joined(const std::vector<std::string>& lines);

std::vector<std::string> LogEvents(const std::string& logPath, const std::string& event);

} // namespace qm::e2e
