# Orvane's front door. `make help` lists every target with the line that
# follows its `##` below.
SHELL := /bin/bash
# cmake runs make beneath this one; keep its output to what it builds.
MAKEFLAGS += --no-print-directory
.DEFAULT_GOAL := build

# Extra cmake configure arguments. make test configures the CI build: warnings
# are errors and no test library may be missing (ORVANE_CI in CMakeLists.txt).
CONFIGURE :=
test: CONFIGURE := -DORVANE_CI=ON

.PHONY: help build deps deps-run deps-windows deps-dist deps-test linux windows sanitize test tidy dist \
        bench bench-wine fuzz run run-ru run-windows run-windows-ru clean clean-wine

help: ## list the targets, one line each
	@echo "Orvane: make TARGET (the README tells more)"
	@sed -n 's/^\([a-z-]*\):.*## \(.*\)$$/  \1\t\2/p' $(firstword $(MAKEFILE_LIST)) | expand -t 20

# --- starting one program: only it is built, and the sample catalog it depends on
run: deps-run ## build the English Linux program and start it (no display: a screenshot)
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux --target orvane_en
	@scripts/run-program build/linux/bin/orvane_en

run-ru: deps-run ## the same for the Russian Linux program
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux --target orvane_ru
	@scripts/run-program build/linux/bin/orvane_ru

run-windows: deps-windows ## build the English Windows program and start it under Wine
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows --target orvane_en
	@scripts/run-program build/windows/bin/orvane_en.exe

run-windows-ru: deps-windows ## the same for the Russian Windows program
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows --target orvane_ru
	@scripts/run-program build/windows/bin/orvane_ru.exe

# --- packages (scripts/install-deps --help): one profile per need
deps: ## install every package the targets here need, or say that all are there
	@scripts/install-deps test

deps-run: ## install what make run needs (quiet when all is there)
	@scripts/install-deps --quiet run

deps-windows: ## install what make run-windows needs
	@scripts/install-deps --quiet windows

deps-dist: ## install what make dist needs
	@scripts/install-deps --quiet dist

deps-test: ## install what make test and make bench need
	@scripts/install-deps --quiet test

# --- whole presets
linux: deps-test ## configure and build the linux preset (programs, tests, benchmarks)
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux

windows: deps-test ## configure and build the windows preset (MinGW-w64 cross build)
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows

sanitize: deps-test ## configure and build the sanitize preset (clang, ASan and UBSan, fuzz targets)
	@cmake --preset sanitize $(CONFIGURE) >/dev/null
	@cmake --build --preset sanitize

build: linux windows ## build the linux and windows presets (the default target)

# The unit and sanitizer tests only compute, so they run two at a time; the
# others drive windows on virtual displays and run one at a time.
test: linux windows sanitize ## install what is missing, build every preset, run clang-tidy and every test
	scripts/run-clang-tidy build/linux build/windows
	ctest --preset linux -L unit -j2
	ctest --preset linux -LE unit
	ctest --preset windows
	ctest --preset sanitize -j2

tidy: deps-test ## run clang-tidy over the program's sources (make test runs it too)
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --preset windows $(CONFIGURE) >/dev/null
	scripts/run-clang-tidy build/linux build/windows

# The Windows zip and the Linux tarball, each with freshly laid catalogs; two
# runs from one commit give the same bytes.
dist: deps-dist ## the release packages in build/dist/, with their SHA-256 sums
	@cmake --preset windows $(CONFIGURE) >/dev/null
	@cmake --build --preset windows --target dist
	@cmake --preset linux $(CONFIGURE) >/dev/null
	@cmake --build --preset linux --target dist

WINE_BENCH = scripts/with-wine --xvfb --host python3 bench/wine_bench.py --bin build/windows/bin --out build/windows/bench

bench: linux windows ## run the benchmarks, each beside its floor: Linux, then Windows under Wine
	python3 bench/linux_bench.py --bin build/linux/bin
	$(WINE_BENCH)

bench-wine: windows ## only the Windows benchmarks under Wine
	$(WINE_BENCH)

FUZZ_SECONDS ?= 600
fuzz: sanitize ## run every fuzz target for FUZZ_SECONDS each (default 600)
	@for fuzzer in build/sanitize/bin/orvane_fuzz_*; do tests/fuzz/run-fuzz "$$fuzzer" $(FUZZ_SECONDS) || exit 1; done

clean: ## remove build/
	rm -rf build

clean-wine: ## remove the Wine prefix that make run-windows keeps
	@scripts/run-program --clean-wine
