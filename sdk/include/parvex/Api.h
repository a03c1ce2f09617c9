/* The C++ interface of PARVEX (libparvexcore.so): what the program and the
 * command-line tools use beyond the seven C exports of parvex.h. */
#ifndef PARVEX_API_H
#define PARVEX_API_H

#if defined(PARVEX_CORE_STATIC)
#define PARVEX_CORE_API
#elif defined(_WIN32)
#if defined(PARVEX_CORE_BUILD)
#define PARVEX_CORE_API __declspec(dllexport)
#else
#define PARVEX_CORE_API __declspec(dllimport)
#endif
#else
#define PARVEX_CORE_API __attribute__((visibility("default")))
#endif

#endif
