#!/bin/sh
# Starts the desktop program under Xvfb on a fixture data directory (written with tallivan-cli)
# and saves screenshots of the main window, each of its pages and every dialog, driven with the
# keyboard and the mouse as a person would; then the window in daily use (ordered, filtered,
# the budget by keyboard, a first start, a small window) on screens of 1280 x 800 and
# 1024 x 700, each without and with a window manager (openbox). Needs xvfb, xdotool,
# imagemagick and openbox, which it installs when missing. No step gives the program the
# keyboard by hand: after each dialog it takes it back itself.
#
#   sh scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]     (defaults: build/default, screenshots)
#   SCREENSHOT_DISPLAY=97 picks the X display number (default: from the process id).
set -eu
sh "$(dirname "$0")/install-deps.sh" screenshots
build="$(cd "${1:-build/default}" && pwd)"
mkdir -p "${2:-screenshots}"
out="$(cd "${2:-screenshots}" && pwd)"
data="$(mktemp -d)"
display=":${SCREENSHOT_DISPLAY:-$((90 + $$ % 100))}"
cli="$build/tallivan-cli --data $data"

# The fixture: names, two accounts, deposits, holdings at a loss, between the targets and above
# the take-profit price, a sold stock.
: > "$data/zrstk.typ"
$cli name 600000 浦发银行
$cli name 600036 招商银行
$cli name 600010 包钢股份
$cli name 0001 深发展
mkdir -p "$data/zrdata"
# The group's name: GBK, in 11 bytes.
{ printf '长线组' | iconv -f UTF-8 -t GBK; printf '\0\0\0\0\0'; } > "$data/zrdata/zrstk.grp"
acc=zrdata/zr_00001.acc
$cli --today 2026-01-05 add-account zrdata --title 长线 --date 2026-01-05 > /dev/null
$cli --today 2026-01-06 fund $acc --op deposit --amount 100000
$cli --today 2026-01-08 buy $acc --code 600000 --shares 1000 --price 10
$cli --today 2026-02-03 buy $acc --code 600036 --shares 500 --price 20
$cli --today 2026-03-10 sell $acc --code 600036 --shares 500 --price 22
$cli --today 2026-04-01 buy $acc --code 600010 --shares 2000 --price 5
$cli --today 2026-05-01 buy $acc --code 0001 --shares 300 --price 12
$cli edit-stock $acc --code 600000 --price 10.2 --memo 长期持有
$cli edit-stock $acc --code 600010 --price 4.5
$cli edit-stock $acc --code 0001 --price 13.5
$cli --today 2026-06-01 fund $acc --op withdraw --amount 2000 --title 生活费
$cli --today 2026-06-30 fund $acc --op adjust --amount 12.5 --title 利息税
$cli --today 2026-02-01 add-account zrdata --title 短线 --date 2026-02-01 > /dev/null

xvfb=""
wm=""
program=""
stop_program() {
    [ -n "$program" ] && kill "$program" 2> /dev/null && wait "$program" 2> /dev/null || true
    program=""
}
stop_display() {
    stop_program
    [ -n "$wm" ] && kill "$wm" 2> /dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null || true
    wm=""
    xvfb=""
    sleep 0.5
}
cleanup() {
    stop_display
    rm -rf "$data" "$fresh" "$memory"
}
fresh="$(mktemp -d)"
# The window's remembered layout lives here, forgotten before every start.
memory="$(mktemp -d)"
export XDG_CONFIG_HOME="$memory"
trap cleanup EXIT
export DISPLAY="$display"

# start_display WIDTHxHEIGHT [wm]: a screen of that size, with openbox when asked.
start_display() {
    Xvfb "$display" -screen 0 "$1x24" -nolisten tcp > /dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done
    if [ "${2:-}" = wm ]; then
        openbox > /dev/null 2>&1 &
        wm=$!
        sleep 1
    fi
}

# start_program DIR: the program on that data directory, its window maximised by itself (or
# by the window manager), with the keyboard.
start_program() {
    rm -rf "${memory:?}"/*
    (cd "$1" && exec "$build/tallivan" > /dev/null 2>&1) &
    program=$!
    main=$(xdotool search --sync --onlyvisible --name '^Tallivan$' | head -1)
    sleep 3
}

# shot NAME TITLE: the top-level window captioned TITLE, once it is shown.
shot() {
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$2\$" | tail -1) || true
    if [ -z "$window" ]; then
        echo "no window \"$2\" for $1" >&2
        return 0
    fi
    sleep 0.6
    mkdir -p "$(dirname "$out/$1")"
    import -window "$window" "$out/$1.png"
    echo "$out/$1.png"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 60 "$1"; sleep 0.2; }
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.4; }

# Places in the window that do not move with its size: the first rows of the upper list and
# of the transaction list, the second node of the tree, the first column headers.
ROW1_Y=175
ROW0_Y=157
HEADER_Y=139
NODE2_Y=97

# The budget panel by keyboard: Alt+C reaches the category (from the filter box: the caption
# shares its Alt+C with the 计算 button), Tab the shares; Enter moves on and, in the sell
# price, computes.
budget() {
    keys ctrl+f alt+c Tab ctrl+a
    typed 1000; keys Return; typed 10; keys Return; typed 10.5; keys Return
}

# The four pages of the main window.
pages() {
    # The pointer rests on the tool bar's empty end: over the tree it would raise the tree's
    # tool tip, which the window's capture shows as a black box.
    xdotool mousemove --window "$main" 900 40
    shot "$1/main-stocks" Tallivan
    keys alt+j
    shot "$1/main-trades" Tallivan
    keys alt+z
    shot "$1/main-funds" Tallivan
    keys alt+x
    shot "$1/main-analysis" Tallivan
    keys alt+g
}

# Every page and dialog, once.
full_tour() {
    p="$1"
    pages "$p"

    # Buying: the fee and the total appear on leaving the price.
    keys F11
    keys Return Return Return; typed 600000; keys Return Return; typed 1000; keys Return; typed 10.5; keys Return
    shot "$p/dialog-buy" 买入股票
    keys Escape
    # An invalid number: its message box.
    keys F11
    keys Return Return Return Return Return; typed 12a; keys Return
    shot "$p/message-invalid-number" 错误
    keys Return
    keys Escape

    # Selling more than held: the warning.
    click 300 $ROW1_Y
    keys F12
    keys Return Return Return Return Return; typed 5000; keys Return
    shot "$p/message-sale-warning" 错误
    keys Return
    shot "$p/dialog-sell" 卖出股票
    keys Escape
    keys ctrl+F12
    shot "$p/dialog-rights" 配股
    keys Escape
    keys alt+s f
    shot "$p/dialog-dividend" 分红
    keys Escape

    # The stock edit dialog, for a held and for a sold stock (the sold list's first row, on
    # this screen of 1280 x 800).
    keys F9
    shot "$p/dialog-edit-stock" 修改股票
    keys Escape
    click 300 453
    keys F9
    shot "$p/dialog-edit-sold-stock" 修改股票
    keys Escape

    # The transaction page: editing and undoing a transaction.
    keys alt+j
    click 300 $ROW0_Y
    keys F10
    shot "$p/dialog-edit-trade" 修改交易
    keys Escape
    keys ctrl+F10
    shot "$p/dialog-undo-trade" 撤消交易
    keys Escape
    keys alt+g

    # Accounts and funds.
    keys F8
    shot "$p/dialog-fund" 存取资金
    keys Escape
    keys F7
    shot "$p/dialog-add-account" 添加帐户
    keys Escape
    keys ctrl+F7
    shot "$p/dialog-edit-account" 修改帐户
    keys Escape
    keys ctrl+d
    shot "$p/dialog-delete-account" 删除帐户
    keys Escape

    # The file menu's dialogs and the help.
    keys alt+f o
    shot "$p/dialog-options" 选项
    keys Escape
    keys alt+f p
    shot "$p/dialog-settings" 设置参数
    keys Escape
    keys ctrl+t
    shot "$p/dialog-stock-name" 添加/更改证券名称
    keys Escape
    keys ctrl+r
    shot "$p/dialog-update-prices" 更新现价
    keys Escape
    keys alt+h a
    shot "$p/dialog-about" 关于
    keys Tab space
    shot "$p/dialog-about-detail" 关于
    keys Escape
    keys alt+h c
    shot "$p/help-manual" 'Tallivan 使用说明'
    keys Escape
}

# The window in daily use: its pages, ordered and filtered, the budget, a dialog and the
# keyboard back after it.
daily_tour() {
    p="$1"
    pages "$p"
    # 现价, twice: the dearest holding first, the summary row above it.
    click 590 $HEADER_Y
    click 590 $HEADER_Y
    shot "$p/sorted-by-price" Tallivan
    keys alt+v o
    # Narrowed to one code in all four lists.
    keys ctrl+f; typed 600036
    shot "$p/filtered-stocks" Tallivan
    keys alt+j
    shot "$p/filtered-trades" Tallivan
    keys alt+g ctrl+f ctrl+a BackSpace
    budget
    shot "$p/budget-by-enter" Tallivan
    click 300 $ROW1_Y
    keys F9
    shot "$p/dialog-edit-stock" 修改股票
    keys Escape
    # No click: F8 works at once after the dialog.
    keys F8
    shot "$p/dialog-fund-after-dialog" 存取资金
    keys Escape
}

# The full tour on the usual screen, without a window manager.
start_display 1280x800
start_program "$data"
full_tour 1280x800-nowm
stop_program

# With passwords asked for: the prompt, then the password change dialog.
$cli options --dirs zrdata --want-password 1
start_program "$data"
click 80 $NODE2_Y
shot 1280x800-nowm/dialog-password-prompt 请输入帐户密码
keys Return
keys ctrl+p
shot 1280x800-nowm/dialog-change-password 修改密码
keys Escape
stop_program
$cli options --dirs zrdata --want-password 0
stop_display

# Daily use and a first start, on both screens, without and with a window manager.
for screen in 1280x800 1024x700; do
    for manager in nowm wm; do
        start_display "$screen" "$([ $manager = wm ] && echo wm || true)"
        start_program "$data"
        daily_tour "$screen-$manager"
        stop_program
        rm -rf "${fresh:?}"/* && mkdir -p "$fresh"
        start_program "$fresh"
        shot "$screen-$manager/first-start" Tallivan
        stop_program
        stop_display
    done
done

# A small window: the budget's results on a line of their own.
start_display 1024x700
start_program "$data"
xdotool windowsize --sync "$main" 800 600
sleep 1
budget
shot 800x600-nowm/small-window Tallivan
stop_program
stop_display
