// Finished files appear only whole: every output is written under a temporary name
// beside its final one (NAME.part) and renamed at the end; a failed or interrupted render
// removes what it had written. Also the interrupt flag set by SIGINT and SIGTERM.
#pragma once
#include <csignal>
#include <string>

// Set by SIGINT or SIGTERM; long loops stop and clean up when they see it.
extern volatile std::sig_atomic_t capture_interrupted;
// Installs the handlers and ignores SIGPIPE (a dead encoder shows up as a write error).
void install_interrupt_handlers();

std::string part_path(const std::string& path);
// Renames NAME.part to NAME. 0, or -1 with `error` set.
int publish_part(const std::string& path, std::string& error);
// Removes NAME.part (a file, or a directory and the files directly in it).
void discard_part(const std::string& path);
// 1 when a file can be created at `path` (its folder exists and is writable).
int can_create(const std::string& path, std::string& error);
