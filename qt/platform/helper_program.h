#pragma once
// Programs of this package that a program runs: found beside the running
// program first (a built or installed set belongs together), else on the
// PATH, and run without a shell.
#include <QString>
#include <QStringList>
#include <string>

#include "platform/base/result.h"

// The program's path; "" when neither place has it.
QString FindHelperProgram(const QString& name);

// Runs program with arguments and waits for it, with the busy cursor shown
// and the windows painting (but taking no input) meanwhile. The value is
// what it wrote to standard error. Fails with that
// text (else the exit status or why it did not start) when it cannot start,
// crashes or exits other than 0.
KResultWith<std::string> RunHelperProgram(const QString& program, const QStringList& arguments);
