// The standard descriptors of pixora-export. A command started with one of
// them closed (`pixora-export --data good.c >&-`) would see the first file
// it opens, such as the scratch file of its output, take that number, and
// would "write" its output into its own scratch file and succeed. So the
// closed ones are opened onto the null device at once, which keeps them
// from any file, and a closed standard output is remembered: every write to
// it is then a failed write, status 2.
#pragma once

// Called first thing in main.
void GuardStandardDescriptors();

// Throws CliFailure (status 2) when standard output was closed at the
// start; called before anything is written to it.
void RefuseClosedStandardOutput();

// The end of what was written to standard output: flushed and closed,
// throwing CliFailure (status 2) when a write, the flush or the close
// failed. Nothing to do when it was closed at the start (and refused).
void FinishStandardOutput();
