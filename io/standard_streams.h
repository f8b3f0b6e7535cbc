#pragma once

// Reopens any of standard input, output and error that the process was
// started without (closed descriptor 0, 1 or 2) onto /dev/null. Without this
// the next file or connection opened takes the free number, and what the
// program prints goes into it: the X connection, a model file. Call first
// thing in main.
void reopenClosedStandardStreams();
