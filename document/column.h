#pragma once

// Which block of transformation tables a column belongs to.
enum class Column { Input, Output };
