# Orvane's front door.
#   make run            build the English Linux program and start it (a screenshot when no display)
#   make run-ru         the same for the Russian build
#   make run-windows    the Windows builds under Wine (make run-windows-ru for the Russian one)
#   make test           install everything, build every preset, run every test
#   make dist           the release packages in build/dist/
#   make bench          run the benchmarks (Linux, then the Windows build under Wine; make bench-wine alone)
#   make fuzz           run every fuzz target for FUZZ_SECONDS each (default 600)
#   make clean          remove build/; make clean-wine removes the Wine prefix of make run-windows
SHELL := /bin/bash
# cmake runs make beneath this one; keep its output to what it builds.
MAKEFLAGS += --no-print-directory
.DEFAULT_GOAL := build

# Extra cmake configure arguments. make test configures the CI build: warnings
# are errors and no test library may be missing (ORVANE_CI in CMakeLists.txt).
CONFIGURE :=
test: CONFIGURE := -DORVANE_CI=ON

.PHONY: build deps deps-run deps-windows deps-test linux windows sanitize test dist bench bench-wine \
        run run-ru run-windows run-windows-ru clean clean-wine

# --- packages: the run profile for the Linux program, the windows profile for
# the Windows programs under Wine, the test profile for everything
deps deps-test:
	@scripts/install-deps test

deps-run:
	@scripts/install-deps run

deps-windows:
	@scripts/install-deps windows

# --- whole presets
linux: deps-test
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux

windows: deps-test
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows

sanitize: deps-test
	@cmake --preset sanitize $(CONFIGURE) >/dev/null
	@cmake --build --preset sanitize

build: linux windows

# The unit and sanitizer tests only compute, so they run two at a time; the
# others drive windows on virtual displays and run one at a time.
test: linux windows sanitize
	ctest --preset linux -L unit -j2
	ctest --preset linux -LE unit
	ctest --preset windows
	ctest --preset sanitize -j2

# The Windows zip and the Linux tarball, each with freshly laid catalogs.
dist: deps-test
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows --target dist
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux --target dist

WINE_BENCH = scripts/with-wine --xvfb --host python3 bench/wine_bench.py --bin build/windows/bin --out build/windows/bench

bench: linux windows
	build/linux/bin/orvane_bench
	build/linux/bin/orvane_sdl_bench
	$(WINE_BENCH)

bench-wine: windows
	$(WINE_BENCH)

.PHONY: fuzz
FUZZ_SECONDS ?= 600
fuzz: sanitize
	@for fuzzer in build/sanitize/bin/orvane_fuzz_*; do tests/fuzz/run-fuzz "$$fuzzer" $(FUZZ_SECONDS) || exit 1; done

# --- starting one program: only it is built, and the sample catalog it depends on
run: deps-run
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux --target orvane_en
	@scripts/run-program build/linux/bin/orvane_en

run-ru: deps-run
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux --target orvane_ru
	@scripts/run-program build/linux/bin/orvane_ru

run-windows: deps-windows
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows --target orvane_en
	@scripts/run-program build/windows/bin/orvane_en.exe

run-windows-ru: deps-windows
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows --target orvane_ru
	@scripts/run-program build/windows/bin/orvane_ru.exe

clean:
	rm -rf build

clean-wine:
	@scripts/run-program --clean-wine
