# The two commands of the README: `make run` builds and starts the game, `make test` builds and runs
# every test. Both first install the Debian packages the build needs.

PACKAGES := g++ cmake make pkg-config libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev zlib1g-dev \
            libpng-dev libjpeg-dev libcairo2-dev libgtest-dev libgmock-dev libbenchmark-dev \
            desktop-file-utils appstream dpkg-dev file
FUZZ_PACKAGES := clang libclang-rt-14-dev
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD := build
TESTBUILD := build/sanitize

PREFIX ?= /usr/local

.PHONY: all run test deps configure build bench soak fuzz format clean data install package balance \
        windows windows-deps windows-test

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    if [ "$$(id -u)" = "0" ]; then \
	        echo "Installing:$$missing"; \
	        apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	    else \
	        echo "Missing packages. Run as root:"; \
	        echo "  apt-get update && apt-get install -y$$missing"; \
	        exit 1; \
	    fi; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/game && ./zerathon

test: deps
	@cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DZERATHON_SANITIZE=ON >/dev/null
	cmake --build $(TESTBUILD) -j $(JOBS)
	cd $(TESTBUILD) && ctest --output-on-failure -j $(JOBS)

# Windows, cross-built with MinGW-w64: build/zerathon-VERSION-win64.zip, and the same game folder in
# build/windows/package/Zerathon. The libraries are built once from Debian's source packages into
# build/windows-deps (tools/windows/build-deps.sh); new libraries start a fresh configuration, since
# CMake would keep finding the old ones. The tests run under Wine.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev wine64 wine
WINBUILD := build/windows
windows-deps: deps
	@missing=""; for p in $(WINDOWS_PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

windows: windows-deps
	@Prefix=$$(tools/windows/build-deps.sh $(CURDIR)/build/windows-deps) && \
	{ grep -qs "^SDL2_DIR:PATH=$$Prefix/" $(WINBUILD)/CMakeCache.txt || rm -f $(WINBUILD)/CMakeCache.txt; } && \
	cmake -S . -B $(WINBUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW64.cmake -DZERATHON_WINDOWS_PREFIX=$$Prefix \
	    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/tools/windows/wine-run.sh >/dev/null
	cmake --build $(WINBUILD) -j $(JOBS) --target zerathon windows_zip

# Wine's prefix is made before the tests start side by side: two first starts at once trip over each other.
windows-test: windows
	cmake --build $(WINBUILD) -j $(JOBS)
	tools/windows/wine-run.sh wineboot --init
	cd $(WINBUILD) && ctest --output-on-failure -j $(JOBS)

# A system-wide installation (make install PREFIX=/usr), or into any prefix of the player's choice.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, build/zerathon_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

# CanvasBench's OpenGL cases need a display: without one, a virtual one from xvfb-run when it is there.
bench: build
	@cd $(BUILD) && for b in bench/*Bench; do \
	    if [ $$b != bench/CanvasBench ] || [ -n "$$DISPLAY" ]; then ./$$b; \
	    elif command -v xvfb-run >/dev/null; then xvfb-run -a -s "-screen 0 1280x1024x24" ./$$b; \
	    else echo "No display and no xvfb-run (package xvfb): CanvasBench's OpenGL cases are skipped."; ./$$b; fi; \
	done

# Long endless play with scripted input: no sanitizer report, and no memory growth in Release.
SOAK_FRAMES ?= 200000
SOAK_SANITIZE_FRAMES ?= $(SOAK_FRAMES)
soak: build
	@cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DZERATHON_SANITIZE=ON >/dev/null
	cmake --build $(TESTBUILD) -j $(JOBS) --target zerathon
	tools/soak.sh $(BUILD)/game/zerathon $(TESTBUILD)/game/zerathon $(BUILD)/game $(SOAK_FRAMES) $(SOAK_SANITIZE_FRAMES)

# The libFuzzer harnesses, in build/fuzz with AddressSanitizer. `make fuzz FUZZ_FAST=1` builds them in
# build/fuzz-fast at -O2 without it, for long runs; replay what those find through build/fuzz.
FUZZ_FAST ?=
FUZZBUILD := build/fuzz$(if $(FUZZ_FAST),-fast)
fuzz: deps
	@missing=""; for p in $(FUZZ_PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; [ -z "$$missing" ] || apt-get install -y -q $$missing
	cmake -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
	    -DZERATHON_FUZZ=ON -DZERATHON_FUZZ_FAST=$(if $(FUZZ_FAST),ON,OFF) >/dev/null
	cmake --build $(FUZZBUILD) -j $(JOBS) --target fuzzers

# Regenerates data/ from the committed sources: pictures, samples, missions and effect files.
data: configure
	cmake --build $(BUILD) --target PictureGenerator SoundSynth LevelTool EffectTool -j $(JOBS)
	$(BUILD)/tools/PictureGenerator data
	$(BUILD)/tools/PictureGenerator --icons dist/icons
	$(BUILD)/tools/SoundSynth data
	$(BUILD)/tools/LevelTool build data-src/levels data/Levels
	$(BUILD)/tools/EffectTool build data-src/effects data/Graphic

# The campaign flown by the autopilot with ten seeds a mission (five could not tell 60 % from 80 %): on the
# seeds the missions were tuned on, on ten others, and by a beginner; the tables go to docs/balance.md.
# Fails when a competent table has a mission won in fewer than 5 of 10, or the beginner wins one of the
# first three missions in fewer than 6 of 10 or cannot buy anything by mission 4.
balance: configure
	cmake --build $(BUILD) --target Autopilot -j $(JOBS)
	# The three campaigns side by side: each is one process.
	$(BUILD)/tools/Autopilot --data data --missions all --seeds 10 --save-profiles $(BUILD)/profiles \
	    > $(BUILD)/balance.txt & First=$$!; \
	$(BUILD)/tools/Autopilot --data data --missions all --seeds 10 --first-seed 11 > $(BUILD)/balance-11.txt & \
	Other=$$!; \
	$(BUILD)/tools/Autopilot --data data --missions all --seeds 10 --pilot beginner \
	    > $(BUILD)/balance-beginner.txt & Beginner=$$!; \
	wait $$First; A=$$?; wait $$Other; B=$$?; wait $$Beginner; C=$$?; test "$$A$$B$$C" = 000
	{ echo '# Campaign balance'; echo; \
	  echo 'Written by `make balance`: the campaign flown by `tools/Autopilot`, the profile carried from mission'; \
	  echo 'to mission and the shop visited between missions. The profile carried on is that of a player who'; \
	  echo 'flies a mission until it is won: the first won flight'"'"'s ship, with the credits of all ten flights'; \
	  echo 'divided by the wins (the mean of the won flights plus their share of the lost ones). Per mission:'; \
	  echo 'wins, then the means of the play time and energy left (won flights), score and credits earned (all'; \
	  echo 'flights), the seconds of a timed first wave left after a briefing read at 150 words a minute, and'; \
	  echo 'the words of that briefing.'; \
	  echo; echo '## Seeds 1 to 10'; echo; \
	  echo 'The competent pilot on the seeds the missions were tuned on. The profile carried into each mission is'; \
	  echo 'kept in `$(BUILD)/profiles/NAME.sav`: `Autopilot --data data --profile $(BUILD)/profiles/level16.sav'; \
	  echo '--missions level16 --seeds 20` flies one mission many times with the ship the campaign brings.'; \
	  echo; echo '```'; cat $(BUILD)/balance.txt; echo '```'; \
	  echo; echo '## Seeds 11 to 20'; echo; \
	  echo 'The same pilot on seeds the missions were not tuned on (`--first-seed 11`): every mission is still'; \
	  echo 'won in at least 5 of 10, so the campaign does not hang on a few lucky seeds.'; \
	  echo; echo '```'; cat $(BUILD)/balance-11.txt; echo '```'; \
	  echo; echo '## A beginner, seeds 1 to 10'; echo; \
	  echo '`--pilot beginner`: acts on a picture 300 ms old (the rockets and its own heading, so it oversteers),'; \
	  echo 'aims the sniper gun up to 6 degrees off and fires no bought weapon before mission 5. It must win the'; \
	  echo 'first three missions in most seeds and buy its first shop item by mission 4.'; \
	  echo; echo '```'; cat $(BUILD)/balance-beginner.txt; echo '```'; } > docs/balance.md
	cat $(BUILD)/balance.txt $(BUILD)/balance-11.txt $(BUILD)/balance-beginner.txt
	@awk '/ won /{ split($$3, W, "/"); if (W[1] < 5) { print "balance: " FILENAME ": " $$1 " won " $$3; Bad = 1 } } \
	    END { exit Bad }' $(BUILD)/balance.txt $(BUILD)/balance-11.txt
	@awk '/^level0[123] won /{ split($$3, W, "/"); if (W[1] < 6) { print "balance: the beginner won " $$1 " " $$3; Bad = 1 } } \
	    /^first shop item bought after/ { if ($$NF !~ /^level0[1-4]$$/) { print "balance: the beginner'"'"'s " $$0; Bad = 1 } } \
	    END { exit Bad }' $(BUILD)/balance-beginner.txt

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
