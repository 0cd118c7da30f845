/*
    Internal: runs a program with its arguments, without a shell in between,
    and waits for it. Its exit status is not examined.
*/
#ifndef RUNPROGRAM_H
#define RUNPROGRAM_H

#include <initializer_list>

void runProgram(const char *path, std::initializer_list<const char *> arguments);

#endif
