// The program's version: the only place it is written. The version resource,
// the build and the release script all read it from here. The program reads
// itself as major + minor / 100 (1.02 is major 1, minor 2).
#pragma once

#define KOLO_VERSION_MAJOR 1
#define KOLO_VERSION_MINOR 0

#define KOLO_VERSION_STR2(x) #x
#define KOLO_VERSION_STR(x) KOLO_VERSION_STR2(x)
#define KOLO_VERSION_TEXT KOLO_VERSION_STR(KOLO_VERSION_MAJOR.KOLO_VERSION_MINOR.0.0)
