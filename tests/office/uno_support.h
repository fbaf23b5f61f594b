// SPDX-License-Identifier: MIT
// Shared by the tests that drive a real LibreOffice: one office process for the whole run,
// on a profile of the build tree, reused by every test process and ended by the last test.
#pragma once

#include "estimate/config.h"
#include "office/workflow.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace officetest {

office::Documents& documents();
office::Suite& suite();

// A fresh folder for this test's files.
QString scratchDir();
// Opens a hidden document that keeps the office running between the test's own documents.
void anchorOffice();
// Gone, or a zombie whose threads have all ended.
bool ended(pid_t pid);
// Kills the office processes (SIGKILL), the one that shows documents and the one that reads
// workbooks, as a crash would.
void killOffice();
// The office profile of the tests, and that of the office that reads workbooks.
QString testProfileDir();
QString readerProfileDir();
// Children of this process that have ended and wait to be reaped.
int zombieChildren();
// Office processes on the profile.
std::vector<pid_t> officesOnProfile(const QString& profile = testProfileDir());

// The helper calculator of the two-calculator test: `--calculator DIR ROUNDS [--hold]`.
int runCalculator(const QStringList& args);
// The long session of scripts/long-session: `--long-session CYCLES`.
int runLongSession(int cycles);

// Kills every office process on the test profile and removes its pipes and locks.
void stopOffices();

// The window's own corrections of loaded texts: an empty count reads "0", an area that does not
// read as a number becomes "0".
estimate::CabinetConfig windowCorrected(estimate::CabinetConfig c);

// Converts the workbooks' sheets to CSV with a separate office process, independent of the
// suite; gives for each file its form sheet's cells by address ("E14" -> "12,5").
std::vector<std::map<std::string, std::string>> formSheets(const QStringList& xlsFiles);

// The addresses of every input cell of the request.
const std::vector<std::string>& inputCells();

} // namespace officetest
