#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The fields of the network-shape dialog "Create a New Corvina".
struct ShapeFields {
    uint32_t layers = 0;
    uint32_t inputs = 0;
    uint32_t outputs = 0;
};

// The fields of the "Training Data" dialog; a fresh dialog starts with an empty path and the
// box ticked.
struct TrainingDataFields {
    std::string path;
    bool makeNewTables = true;
};

// What the "Consult" sheet works on: one value per input, which the Singular page rewrites on
// OK, and the Plural page's paths, which come back as last exchanged whatever closed it.
struct ConsultFields {
    std::vector<double> values;
    std::string inputPath;
    std::string outputPath;
};

// Which page of the "Consult" sheet was showing when it closed.
enum class ConsultPage : int32_t { Singular = 0, Plural = 1 };

// How the "Consult" sheet closed.
struct ConsultOutcome {
    bool accepted = false;
    ConsultPage activePage = ConsultPage::Singular;
};

// The modal dialogs the network document shows.
class NetworkDialogs {
public:
    virtual ~NetworkDialogs() = default;

    // "Create a New Corvina": true on OK, with fields holding values that passed every check.
    virtual bool RunShapeDialog(ShapeFields& fields) = 0;

    // "Training Data": true on OK.
    virtual bool RunTrainingDataDialog(TrainingDataFields& fields) = 0;

    // The "Consult" sheet, opened on the Singular page.
    virtual ConsultOutcome RunConsultSheet(ConsultFields& fields) = 0;

    // "One consult report", modal, showing text.
    virtual void ShowReport(const std::string& text) = 0;
};
