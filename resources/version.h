// The program's version: the one place the numbers live. GlumaNote.rc builds the
// version resource from it, and the about box shows GLUMA_VERSION_STRING.
// The strings are spelled out (not pasted from the numbers) because the resource
// compiler does not join adjacent string literals; a native test keeps them in step.
#ifndef GLUMA_VERSION_H
#define GLUMA_VERSION_H

#define GLUMA_VERSION_MAJOR 1
#define GLUMA_VERSION_MINOR 8
#define GLUMA_VERSION_PATCH 0
#define GLUMA_VERSION_BUILD 0

// What users see.
#define GLUMA_VERSION_STRING "1.8"
// The four-part form of the version resource's FileVersion and ProductVersion strings.
#define GLUMA_VERSION_STRING4 "1.8.0.0"

#endif
