#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace mevara {

// The familiar exposures a total is set beside.
enum class Comparison { Flights, NaturalExposure, NuclearStressTest, Chernobyl, CancerRisk };

struct ComparisonReference {
    Comparison comparison;
    // The reference's dose in mSv; the cancer-risk statement has none.
    std::optional<float> milliseverts;
    // The text its value label gets when it is chosen.
    std::string_view valueText;
    // The fixed scale of its own detail chart (0 for cancer risk, which has none).
    float pageScale;
};

class ComparisonReferences {
public:
    static constexpr std::array<ComparisonReference, 5> all{{
        {Comparison::Flights, 1.0f, "1", 10},
        {Comparison::NaturalExposure, 3.0f, "3", 10},
        {Comparison::NuclearStressTest, 15.6f, "15.6", 20},
        {Comparison::Chernobyl, 200.0f, "200", 200},
        {Comparison::CancerRisk, std::nullopt, "", 0},
    }};

    static const ComparisonReference& reference(Comparison comparison);
};

} // namespace mevara
