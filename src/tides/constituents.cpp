#include "tides/constituents.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace brenlow {

namespace {

constexpr double Degree = std::numbers::pi / 180.0;

using enum NodalFormula;

struct Part
{
    std::string_view Name;
    int Multiple = 0;
};

// A constituent of the table: either astronomical (the multiples of τ, s, h, p, N', p' and 90°
// in its argument, and its nodal formula with the sign of u), or compound (up to three parts,
// whose arguments and corrections it sums; f is the product of theirs).
struct Definition
{
    std::string_view Name;
    std::array<int, 7> Multiples{};
    NodalFormula Nodal = None;
    int NodalSign = 1;
    std::array<Part, 3> Parts{};
};

constexpr Definition Astronomical(std::string_view name, std::array<int, 7> multiples,
                                  NodalFormula nodal = None, int nodalSign = 1)
{
    return Definition{name, multiples, nodal, nodalSign, {}};
}

constexpr Definition Compound(std::string_view name, std::array<Part, 3> parts)
{
    return Definition{name, {}, None, 1, parts};
}

// The arguments follow the standard constituent list of the hydrographic offices (IHO TWCWG,
// extended Doodson numbers), with the 90° multiples in Schureman's sign (V + u - g is the
// phase of the cosine; O1 = T - 2s + h + 90°, K1 = T + h - 90°, with T = τ - h + s). Nodal
// corrections follow the same list's codes: a satellite of M2 takes M2's, one of O1 takes O1's.
constexpr std::array Table{
    // Long period
    Astronomical("SA", {0, 0, 1, 0, 0, 0, 0}),
    Astronomical("SSA", {0, 0, 2, 0, 0, 0, 0}),
    Astronomical("MM", {0, 1, 0, -1, 0, 0, 0}, Mm),
    Compound("MSF", {{{"S2", 1}, {"M2", -1}}}),
    Astronomical("MF", {0, 2, 0, 0, 0, 0, 0}, Mf),
    Astronomical("MTM", {0, 3, 0, -1, 0, 0, 0}, Mm),
    Astronomical("MSQM", {0, 4, -2, 0, 0, 0, 0}, M2, -1),
    // Diurnal
    Astronomical("2Q1", {1, -3, 0, 2, 0, 0, 1}, O1),
    Astronomical("SGM", {1, -3, 2, 0, 0, 0, 1}, O1),
    Astronomical("Q1", {1, -2, 0, 1, 0, 0, 1}, O1),
    Astronomical("RHO1", {1, -2, 2, -1, 0, 0, 1}, O1),
    Astronomical("O1", {1, -1, 0, 0, 0, 0, 1}, O1),
    Astronomical("M1", {1, 0, 0, 1, 0, 0, -1}, M1),
    Astronomical("P1", {1, 1, -2, 0, 0, 0, 1}),
    Astronomical("S1", {1, 1, -1, 0, 0, 0, 0}),
    Astronomical("K1", {1, 1, 0, 0, 0, 0, -1}, K1),
    Astronomical("J1", {1, 2, 0, -1, 0, 0, -1}, J1),
    Astronomical("OO1", {1, 3, 0, 0, 0, 0, -1}, OO1),
    // Semi-diurnal
    Astronomical("EP2", {2, -3, 2, 1, 0, 0, 0}, M2),
    Astronomical("2N2", {2, -2, 0, 2, 0, 0, 0}, M2),
    Astronomical("MU2", {2, -2, 2, 0, 0, 0, 0}, M2),
    // 3N2 and 3L2 are the third-degree companions of N2 and L2, one perigee turn from them
    // (not in the list). Their node factors are not known here: at under 6 mm, f = 1 and u = 0
    // miss by well under a millimetre.
    Astronomical("3N2", {2, -1, 0, 0, 0, 0, 0}),
    Astronomical("N2", {2, -1, 0, 1, 0, 0, 0}, M2),
    Astronomical("NU2", {2, -1, 2, -1, 0, 0, 0}, M2),
    Astronomical("MA2", {2, 0, -1, 0, 0, 0, 0}, M2),
    Astronomical("M2", {2, 0, 0, 0, 0, 0, 0}, M2),
    Astronomical("MB2", {2, 0, 1, 0, 0, 0, 0}, M2),
    Astronomical("LAMBDA2", {2, 1, -2, 1, 0, 0, 2}, M2),
    Astronomical("L2", {2, 1, 0, -1, 0, 0, 2}, L2),
    Astronomical("3L2", {2, 1, 0, 0, 0, 0, 0}),
    Astronomical("T2", {2, 2, -3, 0, 0, 1, 0}),
    Astronomical("S2", {2, 2, -2, 0, 0, 0, 0}),
    Astronomical("R2", {2, 2, -1, 0, 0, -1, 2}),
    Astronomical("K2", {2, 2, 0, 0, 0, 0, 0}, K2),
    Compound("MKS2", {{{"M2", 1}, {"K2", 1}, {"S2", -1}}}),
    Compound("2SM2", {{{"S2", 2}, {"M2", -1}}}),
    // Ter-diurnal
    Astronomical("M3", {3, 0, 0, 0, 0, 0, 2}, M3),
    // T3 and R3 (not in the list) are S3 less and plus a cycle a year, as T2 and R2 are of S2,
    // with the half turn R2 carries.
    Astronomical("T3", {3, 3, -4, 0, 0, 1, 2}),
    Astronomical("S3", {3, 3, -3, 0, 0, 0, 2}),
    Astronomical("R3", {3, 3, -2, 0, 0, -1, 0}),
    // Shallow water
    Compound("M4", {{{"M2", 2}}}),
    Compound("MN4", {{{"M2", 1}, {"N2", 1}}}),
    Compound("N4", {{{"N2", 2}}}),
    Compound("MS4", {{{"M2", 1}, {"S2", 1}}}),
    Compound("S4", {{{"S2", 2}}}),
    Compound("2MK5", {{{"M2", 2}, {"K1", 1}}}),
    Compound("2MO5", {{{"M2", 2}, {"O1", 1}}}),
    Compound("M6", {{{"M2", 3}}}),
    Compound("2MS6", {{{"M2", 2}, {"S2", 1}}}),
    Compound("M8", {{{"M2", 4}}}),
};

const Definition *FindDefinition(std::string_view name)
{
    for (const Definition &definition : Table)
        if (definition.Name == name)
            return &definition;
    return nullptr;
}

bool IsCompound(const Definition &definition)
{
    return definition.Parts[0].Multiple != 0;
}

// Adds the nodal term to the list, merging it with a term of the same formula.
void AddNodalTerm(std::array<NodalTerm, 3> &terms, NodalFormula formula, int multiple)
{
    if (formula == None || multiple == 0)
        return;
    for (NodalTerm &term : terms)
        if (term.Formula == formula && term.Multiple * multiple > 0) {
            term.Multiple += multiple;
            return;
        }
    for (NodalTerm &term : terms)
        if (term.Formula == None) {
            term = {formula, multiple};
            return;
        }
}

std::optional<ConstituentModel> ModelOf(const Definition &definition)
{
    ConstituentModel model;
    if (!IsCompound(definition)) {
        model.Multiples = definition.Multiples;
        AddNodalTerm(model.Nodal, definition.Nodal, definition.NodalSign);
        return model;
    }
    for (const Part &part : definition.Parts) {
        if (part.Multiple == 0)
            continue;
        const Definition *parent = FindDefinition(part.Name);
        if (parent == nullptr || IsCompound(*parent))
            return std::nullopt;
        for (std::size_t k = 0; k < model.Multiples.size(); ++k)
            model.Multiples[k] += part.Multiple * parent->Multiples[k];
        AddNodalTerm(model.Nodal, parent->Nodal, part.Multiple * parent->NodalSign);
    }
    return model;
}

double Sq(double x)
{
    return x * x;
}

} // namespace

NodalCorrection NodalCorrectionOf(NodalFormula formula, const AstronomicalArguments &arguments,
                                  const LunarOrbitTerms &orbit)
{
    const double i = orbit.I * Degree;
    const double sinI = std::sin(i);
    const double cosHalfI = std::cos(0.5 * i);
    const double sinHalfI = std::sin(0.5 * i);
    const double nu = orbit.Nu;
    const double xi = orbit.Xi;
    // Schureman (1958), Manual of harmonic analysis and prediction of tides, Table 2 and
    // formulas 73-78, 197, 207, 215, 227, 235: each f is the ratio of the term's coefficient to
    // its mean value over a node cycle.
    switch (formula) {
    case None:
        return {};
    case Mm:
        return {(2.0 / 3.0 - Sq(sinI)) / 0.5021, 0.0};
    case Mf:
        return {Sq(sinI) / 0.1578, -2.0 * xi};
    case O1:
        return {sinI * Sq(cosHalfI) / 0.3800, 2.0 * xi - nu};
    case J1:
        return {std::sin(2.0 * i) / 0.7214, -nu};
    case OO1:
        return {sinI * Sq(sinHalfI) / 0.01640, -2.0 * xi - nu};
    case M2:
        return {Sq(Sq(cosHalfI)) / 0.9154, 2.0 * xi - 2.0 * nu};
    case M3:
        return {Sq(cosHalfI) * Sq(Sq(cosHalfI)) / 0.8758, 3.0 * xi - 3.0 * nu};
    case K1: {
        const double sin2I = std::sin(2.0 * i);
        return {std::sqrt(0.8965 * Sq(sin2I) + 0.6001 * sin2I * std::cos(nu * Degree) + 0.1006),
                -orbit.NuPrime};
    }
    case K2:
        return {std::sqrt(19.0444 * Sq(Sq(sinI)) + 2.7702 * Sq(sinI) * std::cos(2.0 * nu * Degree)
                          + 0.0981),
                -orbit.TwoNuSecond};
    case L2: {
        // The perigee against the orbit's intersection: P = p - ξ.
        const double p2 = 2.0 * (arguments.LunarPerigee - xi) * Degree;
        const double tanHalfI2 = Sq(sinHalfI / cosHalfI);
        const double inverseRa =
            std::sqrt(1.0 - 12.0 * tanHalfI2 * std::cos(p2) + 36.0 * Sq(tanHalfI2));
        const double r = std::atan2(std::sin(p2), 1.0 / (6.0 * tanHalfI2) - std::cos(p2)) / Degree;
        const NodalCorrection m2 = NodalCorrectionOf(M2, arguments, orbit);
        return {m2.F * inverseRa, m2.U - r};
    }
    case M1: {
        // f sin u = sin p + 0.2 sin(p - N), f cos u = 2 [cos p + 0.2 cos(p - N)].
        const double p = arguments.LunarPerigee * Degree;
        const double pn = (arguments.LunarPerigee - arguments.LunarNode) * Degree;
        const double fSinU = std::sin(p) + 0.2 * std::sin(pn);
        const double fCosU = 2.0 * (std::cos(p) + 0.2 * std::cos(pn));
        return {std::hypot(fSinU, fCosU), std::atan2(fSinU, fCosU) / Degree};
    }
    }
    return {};
}

std::optional<ConstituentModel> FindConstituentModel(QStringView name)
{
    // Names are short ASCII; anything else is unknown.
    if (name.isEmpty() || name.size() > 16)
        return std::nullopt;
    std::array<char, 16> ascii{};
    for (qsizetype k = 0; k < name.size(); ++k) {
        const char16_t c = name.at(k).unicode();
        if (c > 0x7f)
            return std::nullopt;
        ascii[static_cast<std::size_t>(k)] = static_cast<char>(c);
    }
    const Definition *definition =
        FindDefinition(std::string_view(ascii.data(), static_cast<std::size_t>(name.size())));
    if (definition == nullptr)
        return std::nullopt;
    return ModelOf(*definition);
}

double EquilibriumArgument(const ConstituentModel &model, const AstronomicalArguments &arguments)
{
    const std::array<double, 6> angles{arguments.LunarTime,    arguments.MoonLongitude,
                                       arguments.SunLongitude, arguments.LunarPerigee,
                                       -arguments.LunarNode,   arguments.SolarPerigee};
    double v = 90.0 * model.Multiples[6];
    for (std::size_t k = 0; k < angles.size(); ++k)
        v += model.Multiples[k] * angles[k];
    return NormalisedDegrees(v);
}

NodalCorrection ConstituentNodalCorrection(const ConstituentModel &model,
                                           const AstronomicalArguments &arguments,
                                           const LunarOrbitTerms &orbit)
{
    NodalCorrection total;
    for (const NodalTerm &term : model.Nodal) {
        if (term.Formula == None)
            continue;
        const NodalCorrection one = NodalCorrectionOf(term.Formula, arguments, orbit);
        total.F *= std::pow(one.F, std::abs(term.Multiple));
        total.U += term.Multiple * one.U;
    }
    return total;
}

double ConstituentSpeed(const ConstituentModel &model)
{
    const AstronomicalRates r = MeanAstronomicalRates();
    const std::array<double, 6> rates{r.LunarTime,    r.MoonLongitude, r.SunLongitude,
                                      r.LunarPerigee, -r.LunarNode,    r.SolarPerigee};
    double speed = 0.0;
    for (std::size_t k = 0; k < rates.size(); ++k)
        speed += model.Multiples[k] * rates[k];
    return speed;
}

} // namespace brenlow
