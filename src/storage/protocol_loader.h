#pragma once

// Loading a stored protocol into a TProtocolo, and renumbering the stages of stored samples.

#include "records.h"

namespace kestrova {

class TfrmDM;

// Fills protocol (whose Protocolo is set) from PROTOCOLOS and its stage rows. False, with the
// record unchanged, when there is no such protocol. A stored NumEstagios outside 1..240 cannot be
// held by the record: StorageError, record unchanged.
bool LoadProtocol(TfrmDM &dm, TProtocolo &protocol);

// Writes into every stored sample of the evaluation the stage in force at its TempoTotal, one
// committed post per sample row (through qAvaliacoesDados).
void RestageSamples(TfrmDM &dm, const TProtocolo &protocol, int evaluation);

} // namespace kestrova
