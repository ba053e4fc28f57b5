#pragma once

// The program's own texts that the document and both front ends show.
//
// They are kept exactly as users know them from earlier versions, and from the printed reports
// they keep, spellings included: "NeuralNetwoks", "Output cout", "Averrage error", "statical",
// "Training data avaible" beside "Training data available", "Error occured". The same holds for
// the prompts of the window's command table (shell/command_table.cpp), "newral" among them.
// Users and their scripts match these texts; do not correct them.
namespace ProgramText {

// The eight lines of the status report; the formats take the arguments named beside them.
inline constexpr const char* ReportTitle = "Discrete NeuralNetwoks by Velmora";
inline constexpr const char* ReportShape = "Layers count %d, TotalNeurons %lld";  // layers, neurons
inline constexpr const char* ReportCounts = "Input count %d, Output cout %d";     // inputs, outputs
inline constexpr const char* ReportDataAvailable = "Training data available";
inline constexpr const char* ReportDataNotAvailable = "Training data not available";
inline constexpr const char* ReportPatterns = "Training patterns count %d";
inline constexpr const char* ReportTraining = "Training process";
inline constexpr const char* ReportPasses = "Produced passes count %u";
inline constexpr const char* ReportAverage = "Averrage error %d (%d is statical value)";  // average, reset value

// The status view's training-data field.
inline constexpr const char* DataAvailable = "Training data avaible";
inline constexpr const char* DataMissing = "Load data to train";

// Asked before a command destroys training experience.
inline constexpr const char* DestroyExperience =
    "Network has an experience. Performing this operation will destroy it! Perform anyway?";

// The shape dialog's ratio message: input count, and the exclusive bounds of the output count.
inline constexpr const char* RatioError = "Error occured. If Input Count = %u, then OutputCount must be between %u & %u.";

// One line of a single consultation's report: the output index and its value.
inline constexpr const char* ConsultLine = "Output # %d, - \t%s";

}  // namespace ProgramText
