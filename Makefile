# The two entry points of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

# zlib1g-dev: the spreadsheet library's link line names -lz but its package does not pull it in.
# fonts-dejavu-extra: the condensed face that stands in for the forms' classic sans serif.
PACKAGES := build-essential cmake ccache pkg-config git \
	qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev \
	libsqlite3-dev libxlsxwriter-dev zlib1g-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	fonts-dejavu-core fonts-dejavu-extra xvfb xauth poppler-utils unzip python3 \
	fp-utils-3.2.2

.PHONY: deps configure build run test clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Creates the demo book under the default alias the first time, then starts the program
# from its own folder so that the help file beside it is found.
run: build
	@dir=$$($(BUILD)/bin/vantor-db path); \
	if [ ! -e "$$dir/gig.db" ] && [ ! -e "$$dir/contacts.db" ] && [ ! -e "$$dir/blackout.db" ]; then \
		$(BUILD)/bin/vantor-db init --demo; \
	fi
	cd $(BUILD)/bin && ./vantor

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)
