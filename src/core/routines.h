#pragma once

// Small shared routines of untTiposFuncoes. LoadProtocol and RestageSamples need the database
// and live in the storage library; ShellFolderPath and GetFileVersionString are in folders.h.

#include "records.h"

#include <QString>

#include <cstdint>

namespace kestrova {

// Which part of an evaluation ClearTestData clears.
enum ClearMode : int {
    ClearHeader = 1,   // header fields; Data becomes now
    ClearSamples = 2,  // samples first..last
    ClearAll = 3,      // both
};

// Mode 1 clears the header (NumAmostras, numbers, texts, Sexo ' ', Peso, Altura, Gordura and
// every field from CargaMaxAtingida to VO2Maximo), with Data = now. Mode 2 zeroes samples
// first..last, limited to the array's -1..17280 (nothing when last < first). Mode 3 does both.
// Any other mode does nothing.
void ClearTestData(TDados &dados, int mode, int first, int last);

// Zeroes the projection fields of the header (AmostrasEstagio .. TempoTotalProjetadoSeg).
void ClearProjection(TDados &dados);

// Zeroes stages first..240 (first below 1 counts as 1).
void ClearStagesAfter(int first, TProtocolo &protocolo);

// The value with `decimals` decimals and thousand separators, padded in front with `width`
// zeros, of which the last `width` characters are returned: (2, 0, 5) gives "05",
// (2, 0, 123) gives "23". Used by the clock and countdown displays.
QString ZeroPad(int width, int decimals, double value);

// high * 256 + low.
uint16_t MakeWord16(uint8_t high, uint8_t low);

// The characters '0'..'9' of the text, in order.
QString DigitsOnly(const QString &text);

// The most frequent of the first n values (ties: the value met first), as its low 8 bits.
// Looks at no more than 10 values; n <= 0 or no list gives 0.
uint8_t MostFrequentValue(const uint16_t *values, int n);

// The file name of the path without its extension. '\', '/' and ':' all end a folder part, so
// "C:\a.b\modelo.xls" and "/a.b/modelo.xls" both give "modelo".
QString FileNameWithoutExtension(const QString &path);

} // namespace kestrova
