// Exports of libKvdTemplates.so, the parametric-drawing dialog "Forme
// parametrizzate". C linkage, the platform's C calling convention; every
// argument is a native pointer or a 32-bit value.
//
// Ownership: the element list handed back belongs to the library until the
// caller gives it back with DisposeTemplate, which must come before the next
// Template or Template7 call. A dialog closed without OK leaves *result
// untouched (initialise it to nullptr before the call).
//
// Errors: no export returns a status. An exception inside an export (a
// failure of the window system, memory, a stream that throws) is caught,
// written to the library's log (LOGQZ.TXT) and thrown again as kvd::Error,
// so the caller catches one type; bad settings records only produce log
// lines and never stop a call.
//
// Threads: call from the thread that runs the Qt application (the host's
// user-interface thread); the exports are not reentrant.
#pragma once
#include <cstdint>

#include "kvd/element.h"
#include "kvd/export.h"
#include "kvd/stream.h"

// Shows the dialog with the host settings of a 10834-byte block; on OK
// *result receives the head of the generated element list.
KVD_EXPORT void Template(kvd::TTempElement** result, const std::uint8_t* block10834);

// Shows the dialog with the host settings read from the host's open settings
// stream *settingsStream (read from its start, never closed or released), and
// with the app link to the host window `windowHandle`, which listens on
// `messageNumber` (both 0: no link). On OK *result receives the head of the
// generated element list.
KVD_EXPORT void Template7(kvd::TTempElement** result, KvdStream** settingsStream, std::uint32_t windowHandle,
                          std::uint32_t messageNumber);

// Frees the element list of the last dialog run with its containers.
// Harmless when there is none (also when called twice).
KVD_EXPORT void DisposeTemplate();
