#pragma once

// The client size of both pages of the "Consult" sheet, in dialog units.
inline constexpr int ConsultPageWidth = 207;
inline constexpr int ConsultPageHeight = 108;
