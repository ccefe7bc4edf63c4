// Reads the codebooks of a Vorbis I setup header before the decoder library sees them, and
// refuses the books that library cannot survive: a book with a value lookup but no dimensions
// makes it divide by zero while decoding residues, or loop without end while it builds its
// tables. The books are read bit for bit as the library reads them, so a header it accepts is
// never judged by misread fields.
#pragma once

#include "foundation/errors/c_error.h"

#include <cstddef>
#include <cstdint>

// A packet of type 5 ("vorbis" after the type byte): what the library takes as a setup header.
bool IsVorbisSetupHeader(const uint8_t* packet, size_t size);

// The setup header's codebooks: an error names the first book that cannot be used (or the
// header ends inside the books); fine otherwise. What follows the books is left to the library.
CError CheckVorbisSetupHeader(const uint8_t* packet, size_t size);
