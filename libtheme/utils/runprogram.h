/*
    Internal: runs a program with its arguments, without a shell in between,
    and waits for it, 10 s at most (less under a ProgramPatience): one still
    running then is killed, and named in a warning. Only its output is
    judged by its exit status. The program shares the caller's memory until
    it starts, so that starting it does not copy the caller's page tables.
*/
#ifndef RUNPROGRAM_H
#define RUNPROGRAM_H

#include <QByteArray>
#include <QStringList>

#include <initializer_list>
#include <optional>

// While one lives, the programs run also end by its deadline: the helpers
// of a page's save together take no longer than the page may wait.
class ProgramPatience
{
public:
    explicit ProgramPatience(int patienceMs);
    ~ProgramPatience();
    ProgramPatience(const ProgramPatience &) = delete;
    ProgramPatience &operator=(const ProgramPatience &) = delete;

    // The programs that a deadline stopped, or whose output it cut off,
    // since this one was made: "name arguments", each once, in order.
    QStringList cutOff() const;
};

// path: the program file.
void runProgram(const char *path, std::initializer_list<const char *> arguments);

// name: a program looked up in PATH. Its standard input is empty; what it
// writes on its standard output is returned; nothing when it did not start,
// did not end with status 0, or was cut short by its deadline.
std::optional<QByteArray> readProgramOutput(const char *name, std::initializer_list<const char *> arguments);

// name: a program looked up in PATH, given input on its standard input.
// One whose input could not all be given by its deadline is stopped
// before it reads the end of it, and noted as not finished. False when it
// did not start.
bool writeProgramInput(const char *name, std::initializer_list<const char *> arguments, const QByteArray &input);

#endif
