#pragma once

#include "tides/astronomy.h"

#include <QStringView>

#include <array>
#include <optional>

namespace brenlow {

// The formulas that give a constituent's node factor f and phase correction u from the Moon's
// orbit: Schureman's for the lunar constituents he treats, the hydrographic offices' standard
// series (IHO constituent list, Annex A) for M1, none (f = 1, u = 0) for the solar ones.
enum class NodalFormula { None, Mm, Mf, O1, K1, J1, OO1, M1, M2, K2, L2, M3 };

// f (a ratio) and u (degrees).
struct NodalCorrection
{
    double F = 1.0;
    double U = 0.0;
};

NodalCorrection NodalCorrectionOf(NodalFormula formula, const AstronomicalArguments &arguments,
                                  const LunarOrbitTerms &orbit);

// One nodal formula raised to a power: u is multiplied by Multiple, f raised to |Multiple| (f is
// always multiplied, never divided, also where a part is subtracted).
struct NodalTerm
{
    NodalFormula Formula = NodalFormula::None;
    int Multiple = 0;
};

// Everything the harmonic method needs to know of a constituent: its equilibrium argument
//   V = Σ Multiples[k] × (τ, s, h, p, N', p')[k] + Multiples[6] × 90°
// and the nodal terms whose product and sum give f and u.
struct ConstituentModel
{
    std::array<int, 7> Multiples{};
    std::array<NodalTerm, 3> Nodal{};
};

// The model of a constituent by its name as tidal constants give it ("M2", "2MS6",
// "LAMBDA2", case-sensitive); nothing for a name this program does not know.
std::optional<ConstituentModel> FindConstituentModel(QStringView name);

// V in degrees (0..360) at the instant of the arguments.
double EquilibriumArgument(const ConstituentModel &model, const AstronomicalArguments &arguments);

// f and u of the constituent, with the orbit terms of the same instant.
NodalCorrection ConstituentNodalCorrection(const ConstituentModel &model,
                                           const AstronomicalArguments &arguments,
                                           const LunarOrbitTerms &orbit);

// The angular speed of the constituent in degrees per hour.
double ConstituentSpeed(const ConstituentModel &model);

} // namespace brenlow
