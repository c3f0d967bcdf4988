# Two commands for a new machine: `make run` and `make test`.
# Both install the Debian packages the build needs when they are missing.

PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libcairo2-dev libpango1.0-dev librsvg2-dev fonts-ipafont-gothic fonts-ipafont-mincho \
            poppler-utils poppler-data proj-bin libgtk-3-dev xvfb xauth xdotool x11-apps imagemagick \
            libcanberra-dev libcanberra-pulse sound-theme-freedesktop clang-16 libclang-rt-16-dev \
            python3 python3-ezdxf

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
# While another install runs, `make deps` waits for it (up to APT_WAIT seconds)
# instead of failing: apt-get waits for the dpkg lock itself, and an update
# that finds the package lists locked is tried again every APT_RETRY seconds.
APT_WAIT ?= 600
APT_RETRY ?= 10
APT_GET = $(SUDO) apt-get -o DPkg::Lock::Timeout=$(APT_WAIT)

.PHONY: run test build deps bench clean

# The program opens its three windows when a display is present (DISPLAY or
# WAYLAND_DISPLAY set), else it runs headless with the terminal as its input. It
# works in the folder build/run (which gets copies of the files the program
# ships in data/, never overwriting the user's). ARGS names a file to open at
# start; without it the program opens the sample job (its copy in build/run).
# The program alone is built for it, not the tests and benchmarks.
run: BUILD_TARGETS := --target krn
run: build
	@mkdir -p build/run
	@cp -rn data/. build/run/ 2>/dev/null || true
	cd build/run && ../release/krn "$(if $(ARGS),$(abspath $(ARGS)),$(CURDIR)/build/run/SAMPLE.PRN)"

test: deps
	cmake -S . -B build/check -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKRN_SANITIZE=ON
	cmake --build build/check -j $(JOBS)
	ctest --test-dir build/check --output-on-failure -j $(JOBS)

build: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build/release -j $(JOBS) $(BUILD_TARGETS)

bench: build
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  waited=0; \
	  until $(APT_GET) update -qq; do \
	    [ $$waited -lt $(APT_WAIT) ] || exit 1; \
	    echo "The package lists are busy (another install?): trying again in $(APT_RETRY) s"; \
	    sleep $(APT_RETRY); waited=$$((waited + $(APT_RETRY))); \
	  done; \
	  DEBIAN_FRONTEND=noninteractive $(APT_GET) install -y -qq --no-install-recommends $$missing; \
	fi

# The fuzz targets of the file readers (fuzz/README.md): builds build/fuzz with
# clang and runs each target for FUZZ_SECONDS seconds, FUZZ_JOBS at once. What
# they find is kept in build/fuzz/findings/<target>/ and fails the command.
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 4

.PHONY: fuzz
fuzz: deps
	cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-16
	cmake --build build/fuzz -j $(JOBS) --target all fast
	FUZZ_JOBS=$(FUZZ_JOBS) fuzz/run fuzz build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
