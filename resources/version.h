// The program's version and copyright: the one place they live. GlumaNote.rc builds the
// version resource from them, the about box shows them, and CMake's project version and
// scripts/package read the two numbers from the #define lines below (keep their form:
// "#define GLUMA_VERSION_MAJOR <digits>").
#ifndef GLUMA_VERSION_H
#define GLUMA_VERSION_H

#define GLUMA_VERSION_MAJOR 1
#define GLUMA_VERSION_MINOR 8

// UTF-8, as every source file; the resource compiler reads it under code page 65001.
#define GLUMA_COPYRIGHT "版权所有 (C) 2026 ZQ"

// The texts are spelled from the numbers by the preprocessor, which the resource compiler
// runs too (it does not join adjacent string literals, so no pasting of strings there).
#define GLUMA_STRINGIFY_(x) #x
#define GLUMA_STRINGIFY(x) GLUMA_STRINGIFY_(x)
// What users see: "1.8".
#define GLUMA_VERSION_STRING GLUMA_STRINGIFY(GLUMA_VERSION_MAJOR.GLUMA_VERSION_MINOR)
// The four-part form of the version resource: "1.8.0.0".
#define GLUMA_VERSION_STRING4 GLUMA_STRINGIFY(GLUMA_VERSION_MAJOR.GLUMA_VERSION_MINOR.0.0)

#endif
