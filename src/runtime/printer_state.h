#pragma once

struct PrinterState {};
