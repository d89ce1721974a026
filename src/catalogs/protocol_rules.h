#pragma once

// The rules of a protocol's stages that do not depend on the editor's boxes.

#include "records.h"

#include <QString>

namespace kestrova {

inline constexpr int MaxEditorStages = 60;
inline constexpr int MaxProtocolSeconds = 86400;   // 1440 minutes
inline constexpr int StageDurationStep = 30;

inline bool LoadInKgfm(const TProtocolo &p) { return p.UnidCarga == QLatin1String("kgfm"); }

// Stage `to` from stage `from`: same duration, increment, RPM; load and incline grown by their
// increments. DuracaoFim is left alone.
void DeriveStage(TProtocolo &p, int from, int to);

// Every stage from 2 to NumEstagios derived from its predecessor.
void RegularizeStages(TProtocolo &p);

// Raises NumEstagios to count; with deriveNew the new stages follow the old last one,
// otherwise they stay zero. Lowering clears the stages above count.
void ChangeStageCount(TProtocolo &p, int count, bool regular, bool deriveNew);

// Sum of the durations of stages 1..NumEstagios, with currentDuration for currentStage.
bool TotalDurationFits(const TProtocolo &p, int currentStage, int currentDuration);

// The first stage of a cycle protocol in watts whose RPM is 0 (its load in kgfm cannot be
// computed), or 0 when there is none.
int StageWithoutPedalRate(const TProtocolo &p);

// Fills DuracaoFim of every stage, the load of the other unit, and DuracaoTotal, as stored.
// Call only when StageWithoutPedalRate is 0.
void ComputeStoredValues(TProtocolo &p);

} // namespace kestrova
