#pragma once

struct FileTable {};
