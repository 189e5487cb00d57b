<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AlertPanel</name>
    <message>
        <source>提醒！</source>
        <translation>Reminder!</translation>
    </message>
    <message>
        <source>确 定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取 消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ArgumentMenu</name>
    <message>
        <source>事件与参数</source>
        <translation>Events and arguments</translation>
    </message>
    <message>
        <source>示例参数</source>
        <translation>Sample argument</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>浮点</source>
        <translation>Float</translation>
    </message>
    <message>
        <source>模式已跟随命令</source>
        <translation>The mode follows the command</translation>
    </message>
</context>
<context>
    <name>AttitudeView</name>
    <message>
        <source>3D视图需要 OpenGL 3.3 或更高版本，当前为 %1。</source>
        <translation>The 3D view needs OpenGL 3.3 or later; this is %1.</translation>
    </message>
    <message>
        <source>模型文件无法读取:</source>
        <translation>The model file cannot be read:</translation>
    </message>
    <message>
        <source>模型文件中没有可显示的几何:</source>
        <translation>The model file has no geometry to show:</translation>
    </message>
    <message>
        <source>正在载入模型...</source>
        <translation>Loading the model...</translation>
    </message>
    <message>
        <source>横滚</source>
        <translation>Roll</translation>
    </message>
    <message>
        <source>俯仰</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>偏航</source>
        <translation>Yaw</translation>
    </message>
    <message>
        <source>四元数 (x, y, z, w)</source>
        <translation>Quaternion (x, y, z, w)</translation>
    </message>
    <message>
        <source>欧拉角 (度)</source>
        <translation>Euler angles (°)</translation>
    </message>
    <message>
        <source>x 通道</source>
        <translation>x channel</translation>
    </message>
    <message>
        <source>y 通道</source>
        <translation>y channel</translation>
    </message>
    <message>
        <source>z 通道</source>
        <translation>z channel</translation>
    </message>
    <message>
        <source>w 通道</source>
        <translation>w channel</translation>
    </message>
    <message>
        <source>横滚通道</source>
        <translation>Roll channel</translation>
    </message>
    <message>
        <source>俯仰通道</source>
        <translation>Pitch channel</translation>
    </message>
    <message>
        <source>偏航通道</source>
        <translation>Yaw channel</translation>
    </message>
    <message>
        <source>模型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>选择模型文件...</source>
        <translation>Choose a model file...</translation>
    </message>
    <message>
        <source>选择模型文件</source>
        <translation>Choose a model file</translation>
    </message>
    <message>
        <source>内置模型</source>
        <translation>Built-in model</translation>
    </message>
    <message>
        <source>模型颜色</source>
        <translation>Model colour</translation>
    </message>
    <message>
        <source>箭头颜色</source>
        <translation>Arrow colour</translation>
    </message>
    <message>
        <source>背景颜色</source>
        <translation>Background colour</translation>
    </message>
</context>
<context>
    <name>AxisColorMenu</name>
    <message>
        <source>自定义颜色...</source>
        <translation>Custom colour...</translation>
    </message>
</context>
<context>
    <name>AxisUnit</name>
    <message>
        <source>点击此处可更换时间单位</source>
        <translation>Click here to change the time unit</translation>
    </message>
    <message>
        <source>此处可输入自定义单位</source>
        <translation>Type a custom unit here</translation>
    </message>
</context>
<context>
    <name>AxisXCursor</name>
    <message>
        <source>右键: 弹出菜单</source>
        <translation>Right click: menu</translation>
    </message>
    <message>
        <source>隐藏交点</source>
        <translation>Hide intersections</translation>
    </message>
    <message>
        <source>隐藏文字</source>
        <translation>Hide text</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>隐藏坐标</source>
        <translation>Hide coordinate</translation>
    </message>
    <message>
        <source>隐藏标线</source>
        <translation>Hide line</translation>
    </message>
</context>
<context>
    <name>BackgroundMenu</name>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
</context>
<context>
    <name>BackgroundSettings</name>
    <message>
        <source>空白</source>
        <translation>None</translation>
    </message>
    <message>
        <source>选择一个图片文件</source>
        <translation>Choose a picture file</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>自定义背景颜色</source>
        <translation>Custom background colour</translation>
    </message>
    <message>
        <source>背景颜色不透明度：</source>
        <translation>Colour opacity:</translation>
    </message>
    <message>
        <source>底图</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>不显示底图</source>
        <translation>No background picture</translation>
    </message>
    <message>
        <source>默认底图</source>
        <translation>The default picture</translation>
    </message>
    <message>
        <source>从右侧选择一个底图文件</source>
        <translation>Choose a picture file from the list</translation>
    </message>
    <message>
        <source>不透明度：</source>
        <translation>Opacity:</translation>
    </message>
    <message>
        <source>长宽占屏比：</source>
        <translation>Size relative to the screen:</translation>
    </message>
    <message>
        <source>填充方式</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>原比例</source>
        <translation>Keep proportions</translation>
    </message>
    <message>
        <source>填充</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>图片置于顶部</source>
        <translation>Picture on top</translation>
    </message>
    <message>
        <source>x坐标</source>
        <translation>x position</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>参考左侧</source>
        <translation>From the left</translation>
    </message>
    <message>
        <source>参考右侧</source>
        <translation>From the right</translation>
    </message>
    <message>
        <source>y坐标</source>
        <translation>y position</translation>
    </message>
    <message>
        <source>参考顶部</source>
        <translation>From the top</translation>
    </message>
    <message>
        <source>参考底部</source>
        <translation>From the bottom</translation>
    </message>
    <message>
        <source>偏移:</source>
        <translation>Offset:</translation>
    </message>
    <message>
        <source>恢复默认背景配置</source>
        <translation>Restore the default background</translation>
    </message>
</context>
<context>
    <name>BarNames</name>
    <message>
        <source>点击此处可修改通道名称</source>
        <translation>Click here to rename the channel</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>ChMenu</name>
    <message>
        <source>指定通道</source>
        <translation>Channel</translation>
    </message>
</context>
<context>
    <name>ChartKindMenu</name>
    <message>
        <source>图形种类</source>
        <translation>Chart kind</translation>
    </message>
</context>
<context>
    <name>ChartMenu</name>
    <message>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>添加游标</source>
        <translation>Add cursor</translation>
    </message>
    <message>
        <source>清除所有游标</source>
        <translation>Remove all cursors</translation>
    </message>
    <message>
        <source>线宽实现方法: </source>
        <translation>Line width method: </translation>
    </message>
    <message>
        <source>如果你发现设置线宽不起作用，请切换线宽实现方式为Shader。</source>
        <translation>If setting the line width has no effect, switch the line width method to Shader.</translation>
    </message>
    <message>
        <source>线宽(px):</source>
        <translation>Line width (px):</translation>
    </message>
    <message>
        <source>连接数据点</source>
        <translation>Join data points</translation>
    </message>
    <message>
        <source>简化辅助线</source>
        <translation>Simplify guide lines</translation>
    </message>
    <message>
        <source>隐藏外框</source>
        <translation>Hide frame</translation>
    </message>
    <message>
        <source>显示柱形图上方所有文字</source>
        <translation>Show all texts above bars</translation>
    </message>
    <message>
        <source>柱形图文字大小(px):</source>
        <translation>Bar text size (px):</translation>
    </message>
    <message>
        <source>直方图统计格数:</source>
        <translation>Histogram bins:</translation>
    </message>
    <message>
        <source>Y轴</source>
        <translation>Y axis</translation>
    </message>
    <message>
        <source>波形图Y轴小数位数:</source>
        <translation>Waveform Y axis decimals:</translation>
    </message>
    <message>
        <source>隐藏Y轴</source>
        <translation>Hide Y axis</translation>
    </message>
    <message>
        <source>X轴</source>
        <translation>X axis</translation>
    </message>
    <message>
        <source>隐藏X轴</source>
        <translation>Hide X axis</translation>
    </message>
    <message>
        <source>使用时间轴</source>
        <translation>Use time axis</translation>
    </message>
    <message>
        <source>X轴为时间模式</source>
        <translation>The X axis shows time</translation>
    </message>
    <message>
        <source>采样周期(ms):</source>
        <translation>Sample period (ms):</translation>
    </message>
    <message>
        <source>波形图X轴(X→T)小数位数:</source>
        <translation>Waveform X axis (X→T) decimals:</translation>
    </message>
    <message>
        <source>直方图X轴小数位数:</source>
        <translation>Histogram X axis decimals:</translation>
    </message>
    <message>
        <source>频率图X轴小数位数:</source>
        <translation>Spectrum X axis decimals:</translation>
    </message>
    <message>
        <source>XY模式</source>
        <translation>XY mode</translation>
    </message>
    <message>
        <source>X轴数据通道</source>
        <translation>X axis channel</translation>
    </message>
    <message>
        <source>指定通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>轴线颜色1</source>
        <translation>Axis colour 1</translation>
    </message>
    <message>
        <source>跟随主题字色</source>
        <translation>Follow the theme&apos;s text colour</translation>
    </message>
    <message>
        <source>跟随主题分割线颜色</source>
        <translation>Follow the theme&apos;s divider colour</translation>
    </message>
    <message>
        <source>轴线颜色2</source>
        <translation>Axis colour 2</translation>
    </message>
    <message>
        <source>跟随主题注解字色</source>
        <translation>Follow the theme&apos;s note colour</translation>
    </message>
</context>
<context>
    <name>CmdMenu</name>
    <message>
        <source>绑定命令</source>
        <translation>Bind command</translation>
    </message>
    <message>
        <source>空</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>不绑定</source>
        <translation>Unbind</translation>
    </message>
</context>
<context>
    <name>ColorBar</name>
    <message>
        <source>所有通道的数据将被清空，</source>
        <translation>The data of all channels will be cleared, </translation>
    </message>
    <message>
        <source>您确定要这么做吗？</source>
        <translation>are you sure?</translation>
    </message>
    <message>
        <source>缓冲区大小</source>
        <translation>Buffer size</translation>
    </message>
    <message>
        <source>清空数据时不弹出警告</source>
        <translation>No warning when clearing data</translation>
    </message>
    <message>
        <source>清空数据</source>
        <translation>Clear data</translation>
    </message>
</context>
<context>
    <name>CommandButton</name>
    <message>
        <source>按钮</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>右键绑定命令</source>
        <translation>Right click to bind a command</translation>
    </message>
    <message>
        <source>松开时发送</source>
        <translation>Send on release</translation>
    </message>
</context>
<context>
    <name>CommandPanel</name>
    <message>
        <source>命令组</source>
        <translation>Command group</translation>
    </message>
    <message>
        <source>命令</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>此命令组会被删除，不可恢复，</source>
        <translation>This command group will be deleted irrecoverably. </translation>
    </message>
    <message>
        <source>此命令会被删除，不可恢复，</source>
        <translation>This command will be deleted irrecoverably. </translation>
    </message>
    <message>
        <source>您确定要这么做吗？</source>
        <translation>are you sure?</translation>
    </message>
    <message>
        <source>命令组下的所有命令会被清除，不可恢复，</source>
        <translation>All commands of this group will be cleared irrecoverably. </translation>
    </message>
    <message>
        <source>所有命令和命令组会被清除，不可恢复，</source>
        <translation>All commands and command groups will be cleared irrecoverably. </translation>
    </message>
    <message>
        <source>发送进行中</source>
        <translation>Sending in progress</translation>
    </message>
    <message>
        <source>继续等待</source>
        <translation>Keep waiting</translation>
    </message>
    <message>
        <source>手动终止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>文件不是配置文件，无法加载。</source>
        <translation>The file is not a configuration file and cannot be loaded.</translation>
    </message>
    <message>
        <source>部分命令无法载入，已忽略: </source>
        <translation>Some commands could not be loaded and were left out: </translation>
    </message>
    <message>
        <source>文件保存失败: </source>
        <translation>Could not save the file: </translation>
    </message>
    <message>
        <source>保存命令</source>
        <translation>Save commands</translation>
    </message>
    <message>
        <source>载入命令</source>
        <translation>Load commands</translation>
    </message>
    <message>
        <source>载入</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>新增</source>
        <translation>New</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>作为子命令组</source>
        <translation>As a sub-group</translation>
    </message>
    <message>
        <source>追加到当前组</source>
        <translation>Append to the current group</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>示例参数</source>
        <translation>Sample argument</translation>
    </message>
    <message>
        <source>命令内容中的%%占位符，可以接收控件参数</source>
        <translation>The placeholder %% in a command receives a widget&apos;s argument</translation>
    </message>
    <message>
        <source>停止发送</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>空</source>
        <translation>Empty</translation>
    </message>
</context>
<context>
    <name>CommandRow</name>
    <message>
        <source>发送</source>
        <translation>Sent</translation>
    </message>
</context>
<context>
    <name>CommandSettings</name>
    <message>
        <source>命令设置</source>
        <translation>Command settings</translation>
    </message>
    <message>
        <source>空</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>发送内容</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>字符串</source>
        <translation>String</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>支持转义符：</source>
        <translation>Escapes supported: </translation>
    </message>
    <message>
        <source>命令内容中的%%占位符，可以接收控件参数</source>
        <translation>The placeholder %% in a command receives a widget&apos;s argument</translation>
    </message>
    <message>
        <source>命令内容中的%f占位符(%f|%.0f|%.2f|%.3f|...)，可以接收控件参数</source>
        <translation>The placeholder %f (%f|%.0f|%.2f|%.3f|...) in a command receives a widget&apos;s argument</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>连续发送参数</source>
        <translation>Repetition</translation>
    </message>
    <message>
        <source>重复次数</source>
        <translation>Repeat count</translation>
    </message>
    <message>
        <source>输入负数，表示无限次数</source>
        <translation>A negative number means without end</translation>
    </message>
    <message>
        <source>发送后延时(ms)</source>
        <translation>Delay after sending (ms)</translation>
    </message>
</context>
<context>
    <name>CommandSwitch</name>
    <message>
        <source>开关</source>
        <translation>Switch</translation>
    </message>
    <message>
        <source>开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>关</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>关闭时发送</source>
        <translation>Send when off</translation>
    </message>
</context>
<context>
    <name>CommonThread</name>
    <message>
        <source>线程正忙！</source>
        <translation>The thread is busy!</translation>
    </message>
    <message>
        <source>thread_routine未设置！</source>
        <translation>thread_routine is not set!</translation>
    </message>
</context>
<context>
    <name>DataHub</name>
    <message>
        <source>正在保存或载入数据，请稍后再试！</source>
        <translation>A save or load is running, please try again later!</translation>
    </message>
    <message>
        <source>无数据，您需要先按照协议格式发送数据！</source>
        <translation>No data. Send data in the protocol format first!</translation>
    </message>
    <message>
        <source>数据保存成功！</source>
        <translation>Data saved!</translation>
    </message>
    <message>
        <source>已载入 </source>
        <translation>Loaded </translation>
    </message>
    <message>
        <source> 组数据</source>
        <translation> rows</translation>
    </message>
</context>
<context>
    <name>DebugClient</name>
    <message>
        <source>无法解析主机名</source>
        <translation>Cannot resolve the host name</translation>
    </message>
</context>
<context>
    <name>DebugUDP</name>
    <message>
        <source>无法解析主机名</source>
        <translation>Cannot resolve the host name</translation>
    </message>
</context>
<context>
    <name>DebugWayInterface</name>
    <message>
        <source>无法打开文件</source>
        <translation>Cannot open file</translation>
    </message>
    <message>
        <source>文件读取中断</source>
        <translation>File reading interrupted</translation>
    </message>
    <message>
        <source>已发送文件</source>
        <translation>File sent</translation>
    </message>
</context>
<context>
    <name>DeleteMenuItem</name>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>载入数据</source>
        <translation>Load data</translation>
    </message>
    <message>
        <source>保存命令</source>
        <translation>Save commands</translation>
    </message>
    <message>
        <source>载入命令</source>
        <translation>Load commands</translation>
    </message>
    <message>
        <source>保存控件窗口及标签</source>
        <translation>Save widget windows and tabs</translation>
    </message>
    <message>
        <source>将已打开的所有控件窗口及标签，保存为1个文件</source>
        <translation>Save all open widget windows and tabs to one file</translation>
    </message>
    <message>
        <source>载入控件窗口及标签</source>
        <translation>Load widget windows and tabs</translation>
    </message>
    <message>
        <source>载入1个记录所有控件窗口及标签的配置文件</source>
        <translation>Load one file recording all widget windows and tabs</translation>
    </message>
    <message>
        <source>保存数据时的时间列</source>
        <translation>Time column</translation>
    </message>
    <message>
        <source>不保存时间</source>
        <translation>None</translation>
    </message>
    <message>
        <source>日期时间（毫秒）</source>
        <translation>Date and time (ms)</translation>
    </message>
    <message>
        <source>相对时间（秒）</source>
        <translation>Seconds from the start</translation>
    </message>
    <message>
        <source>每行数据前加一列接收时间；载入时忽略该列</source>
        <translation>Each row is led by its arrival time; loading skips that column</translation>
    </message>
</context>
<context>
    <name>FillParentMenu</name>
    <message>
        <source>恢复</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>填充</source>
        <translation>Fill</translation>
    </message>
</context>
<context>
    <name>GeneralSettingsPanel</name>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Fonts</translation>
    </message>
    <message>
        <source>画质</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>先断开与下位机的连接才能切换语言。</source>
        <translation>Disconnect from the device before switching the language.</translation>
    </message>
    <message>
        <source>常规字体</source>
        <translation>General font</translation>
    </message>
    <message>
        <source>数字字体</source>
        <translation>Number font</translation>
    </message>
    <message>
        <source>坐标轴字体</source>
        <translation>Axis font</translation>
    </message>
    <message>
        <source>文本区字体</source>
        <translation>Terminal font</translation>
    </message>
    <message>
        <source>加粗</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>极小</source>
        <translation>tiny</translation>
    </message>
    <message>
        <source>小</source>
        <translation>small</translation>
    </message>
    <message>
        <source>中</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>大</source>
        <translation>big</translation>
    </message>
    <message>
        <source>字号</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>渲染风格</source>
        <translation>Render style</translation>
    </message>
    <message>
        <source>原生(清晰)</source>
        <translation>Native (crisp)</translation>
    </message>
    <message>
        <source>Qt(平滑缩放)</source>
        <translation>Qt (smooth scaling)</translation>
    </message>
    <message>
        <source>多重采样(重启生效)</source>
        <translation>Multisampling (after restart)</translation>
    </message>
    <message>
        <source>刷新率(fps)</source>
        <translation>Refresh rate (fps)</translation>
    </message>
    <message>
        <source>界面缩放</source>
        <translation>UI scale</translation>
    </message>
    <message>
        <source>作用到所有文本、窗体部件。</source>
        <translation>Applies to every text and control.</translation>
    </message>
    <message>
        <source>重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>字体、画质和缩放将恢复默认，是否继续?</source>
        <translation>Fonts, quality and scale go back to their defaults. Continue?</translation>
    </message>
</context>
<context>
    <name>IntakeLine</name>
    <message>
        <source>已接收字节</source>
        <translation>Bytes received</translation>
    </message>
    <message>
        <source>帧内字节</source>
        <translation>Bytes in frames</translation>
    </message>
    <message>
        <source>帧外字节</source>
        <translation>Bytes outside frames</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>行</source>
        <translation>rows</translation>
    </message>
    <message>
        <source>超出通道上限而丢弃的行</source>
        <translation>Rows dropped: wider than the channel limit</translation>
    </message>
    <message>
        <source>通道数变化时丢弃的行</source>
        <translation>Rows dropped while the channel count changed</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>已发送字节</source>
        <translation>Bytes sent</translation>
    </message>
    <message>
        <source>链路错误</source>
        <translation>Link errors</translation>
    </message>
    <message>
        <source>超出接收上限而丢弃的字节</source>
        <translation>Bytes dropped: over the receive limit</translation>
    </message>
    <message>
        <source>点击清零</source>
        <translation>Click to reset</translation>
    </message>
    <message>
        <source>帧外</source>
        <translation>outside frames</translation>
    </message>
    <message>
        <source>丢弃</source>
        <translation>dropped</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>先断开与下位机的连接才能切换语言。</source>
        <translation>Disconnect from the device before switching the language.</translation>
    </message>
</context>
<context>
    <name>LeftPanel</name>
    <message>
        <source>已连接</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>连接中...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>协议与连接</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>命令</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>控件</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>重新连接中...</source>
        <translation>Reconnecting...</translation>
    </message>
</context>
<context>
    <name>LevelBar</name>
    <message>
        <source>竖直</source>
        <translation>Vertical</translation>
    </message>
</context>
<context>
    <name>LineColorSettings</name>
    <message>
        <source>数据配色</source>
        <translation>Data colours</translation>
    </message>
    <message>
        <source>点击修改颜色，或长按删除此预设颜色</source>
        <translation>Click to change the colour, or press and hold to delete this preset</translation>
    </message>
    <message>
        <source>添加配色</source>
        <translation>Add colour</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Down</translation>
    </message>
</context>
<context>
    <name>MySpinBox</name>
    <message>
        <source>鼠标滚轮可增减</source>
        <translation>The mouse wheel changes the value</translation>
    </message>
</context>
<context>
    <name>MyTabItem</name>
    <message>
        <source>从左侧「控件」页拖入控件</source>
        <translation>Drag widgets here from the &quot;Widgets&quot; page on the left</translation>
    </message>
</context>
<context>
    <name>MyTabView</name>
    <message>
        <source>标签</source>
        <translation>Tab </translation>
    </message>
    <message>
        <source>波形图</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>新建标签页</source>
        <translation>New tab</translation>
    </message>
    <message>
        <source>此标签页及其中的控件会被关闭，</source>
        <translation>This tab and its widgets will be closed,</translation>
    </message>
    <message>
        <source>您确定要这么做吗？</source>
        <translation>are you sure?</translation>
    </message>
    <message>
        <source>切换锁定状态</source>
        <translation>Toggle lock</translation>
    </message>
    <message>
        <source>锁定状态下，无法修改控件位置和尺寸</source>
        <translation>While locked, widget positions and sizes cannot change</translation>
    </message>
    <message>
        <source>更多操作</source>
        <translation>More</translation>
    </message>
</context>
<context>
    <name>NameMenu</name>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>显示名称</source>
        <translation>Show name</translation>
    </message>
    <message>
        <source>字体缩放:</source>
        <translation>Font scale:</translation>
    </message>
    <message>
        <source>名称跟随已绑定通道</source>
        <translation>Name follows the bound channel</translation>
    </message>
    <message>
        <source>名称跟随已绑定命令</source>
        <translation>Name follows the bound command</translation>
    </message>
    <message>
        <source>自定义名称:</source>
        <translation>Custom name:</translation>
    </message>
    <message>
        <source>颜色跟随已绑定通道</source>
        <translation>Colour follows the bound channel</translation>
    </message>
</context>
<context>
    <name>OutBuffer</name>
    <message>
        <source>发送缓冲区已满，%1 字节未发送 (最多等待发送 %2 MiB)</source>
        <translation>The send buffer is full: %1 bytes not sent (at most %2 MiB may wait)</translation>
    </message>
</context>
<context>
    <name>PictureView</name>
    <message>
        <source>还没有收到图片</source>
        <translation>No picture received yet</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>最新</source>
        <translation>Newest</translation>
    </message>
    <message>
        <source>填充显示</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>显示图片数量</source>
        <translation>Show picture count</translation>
    </message>
</context>
<context>
    <name>ProtocalAndLink</name>
    <message>
        <source>请先选择或输入端口号</source>
        <translation>Choose or type a port first</translation>
    </message>
    <message>
        <source>数据引擎</source>
        <translation>Data engine</translation>
    </message>
    <message>
        <source>点击问号：前往详细文档</source>
        <translation>Click the question mark for the documentation</translation>
    </message>
    <message>
        <source>数据接口</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>与下位机通信的物理接口</source>
        <translation>The physical interface to the device</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>TCP客户端</source>
        <translation>TCP client</translation>
    </message>
    <message>
        <source>TCP服务端</source>
        <translation>TCP server</translation>
    </message>
    <message>
        <source>Demo数据</source>
        <translation>Demo data</translation>
    </message>
    <message>
        <source>Demo数据由软件生成，无需硬件支持，以便您对本软件进行评估与测试</source>
        <translation>Demo data is generated by the program, without any hardware, so that you can evaluate and test it</translation>
    </message>
    <message>
        <source>参数配置</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>生成数据格式</source>
        <translation>Generated format</translation>
    </message>
    <message>
        <source>数据引擎与此一致时，可以成功解析测试数据</source>
        <translation>The test data is decoded when the data engine matches this format</translation>
    </message>
    <message>
        <source>默认数据源</source>
        <translation>Default source</translation>
    </message>
    <message>
        <source>由软件生成的默认数据</source>
        <translation>Default data generated by the program</translation>
    </message>
    <message>
        <source>发送周期</source>
        <translation>Send period</translation>
    </message>
    <message>
        <source>CSV数据源</source>
        <translation>CSV source</translation>
    </message>
    <message>
        <source>每过一个CSV发送周期，指定目录中的一个CSV文件中的所有数据被发送，发送顺序根据文件名称排序</source>
        <translation>Every CSV send period, all data of one CSV file in the chosen folder is sent, in the order of the file names</translation>
    </message>
    <message>
        <source>CSV发送周期</source>
        <translation>CSV send period</translation>
    </message>
    <message>
        <source>CSV文件目录</source>
        <translation>CSV folder</translation>
    </message>
    <message>
        <source>选择一个CSV文件目录</source>
        <translation>Choose a CSV folder</translation>
    </message>
    <message>
        <source>发送jpg图片</source>
        <translation>Send jpg pictures</translation>
    </message>
    <message>
        <source>每过一个图片发送周期，指定目录中的一张jpg图片被发送，发送顺序根据图片名称排序</source>
        <translation>Every picture send period, one jpg picture of the chosen folder is sent, in the order of the picture names</translation>
    </message>
    <message>
        <source>图片发送周期</source>
        <translation>Picture send period</translation>
    </message>
    <message>
        <source>图片目录</source>
        <translation>Picture folder</translation>
    </message>
    <message>
        <source>选择一个图片目录</source>
        <translation>Choose a picture folder</translation>
    </message>
    <message>
        <source>端口号</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>数据流控</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>数据位数</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>停止位数</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>流控信号</source>
        <translation>Line signals</translation>
    </message>
    <message>
        <source>远程IP</source>
        <translation>Remote IP</translation>
    </message>
    <message>
        <source>远程端口</source>
        <translation>Remote port</translation>
    </message>
    <message>
        <source>本地端口</source>
        <translation>Local port</translation>
    </message>
    <message>
        <source>服务器IP</source>
        <translation>Server IP</translation>
    </message>
    <message>
        <source>网络端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>握手数据</source>
        <translation>Handshake</translation>
    </message>
    <message>
        <source>监听端口</source>
        <translation>Listen port</translation>
    </message>
    <message>
        <source>连接数量</source>
        <translation>Connections</translation>
    </message>
    <message>
        <source>当前连接</source>
        <translation>Current connection</translation>
    </message>
    <message>
        <source>关闭接口</source>
        <translation>Close link</translation>
    </message>
    <message>
        <source>打开接口</source>
        <translation>Open link</translation>
    </message>
    <message>
        <source>请先选择原始数据文件</source>
        <translation>Choose a raw capture file first</translation>
    </message>
    <message>
        <source>接口已断开，%1秒后重新打开</source>
        <translation>the link dropped; reopening in %1 s</translation>
    </message>
    <message>
        <source>正在重新打开接口（第%1次）</source>
        <translation>reopening the link (attempt %1)</translation>
    </message>
    <message>
        <source>接口已恢复，共尝试%1次</source>
        <translation>the link is back after %1 attempts</translation>
    </message>
    <message>
        <source>原始数据回放</source>
        <translation>Capture replay</translation>
    </message>
    <message>
        <source>把qelo-record --raw录下的原始数据再次送入所选数据引擎</source>
        <translation>Feeds a capture made with qelo-record --raw through the chosen data engine again</translation>
    </message>
    <message>
        <source>断线重连</source>
        <translation>Reconnect</translation>
    </message>
    <message>
        <source>接口断开后自动重新打开：0.5秒后第一次，之后间隔加倍，最长5秒</source>
        <translation>Reopens the link after it drops: first after 0.5 s, then at doubling waits up to 5 s</translation>
    </message>
    <message>
        <source>原始数据文件</source>
        <translation>Capture file</translation>
    </message>
    <message>
        <source>选择一个原始数据文件</source>
        <translation>Choose a raw capture file</translation>
    </message>
    <message>
        <source>回放速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>按录制时的节奏回放，或尽快解析</source>
        <translation>Replays at the recorded pace, or decodes as fast as it can</translation>
    </message>
    <message>
        <source>尽快</source>
        <translation>As fast as possible</translation>
    </message>
</context>
<context>
    <name>RangeMenu</name>
    <message>
        <source>范围</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>最小值:</source>
        <translation>Minimum:</translation>
    </message>
    <message>
        <source>最大值:</source>
        <translation>Maximum:</translation>
    </message>
    <message>
        <source>步长:</source>
        <translation>Step:</translation>
    </message>
</context>
<context>
    <name>ReturnWindow</name>
    <message>
        <source>回到主体</source>
        <translation>Back to the main window</translation>
    </message>
</context>
<context>
    <name>SecondChMenu</name>
    <message>
        <source>指定第二通道</source>
        <translation>Second channel</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>常用</source>
        <translation>General</translation>
    </message>
    <message>
        <source>皮肤</source>
        <translation>Skin</translation>
    </message>
</context>
<context>
    <name>ShaderProgram</name>
    <message>
        <source>shader文件不存在</source>
        <translation>Shader file does not exist</translation>
    </message>
</context>
<context>
    <name>StateFile</name>
    <message>
        <source>文件太大，无法加载。</source>
        <translation>The file is too large to load.</translation>
    </message>
    <message>
        <source>文件打开失败</source>
        <translation>The file could not be opened</translation>
    </message>
    <message>
        <source>文件不是有效的JSON，无法加载。</source>
        <translation>The file is not valid JSON and cannot be loaded.</translation>
    </message>
    <message>
        <source>文件不是配置文件，无法加载。</source>
        <translation>The file is not a configuration file and cannot be loaded.</translation>
    </message>
    <message>
        <source>脚本版本太旧，无法加载。</source>
        <translation>The script version is too old to load.</translation>
    </message>
    <message>
        <source>脚本版本太新，无法加载。</source>
        <translation>The script version is too new to load.</translation>
    </message>
    <message>
        <source>要求版本: </source>
        <translation>Required version: </translation>
    </message>
    <message>
        <source>此脚本版本: </source>
        <translation>This script&apos;s version: </translation>
    </message>
    <message>
        <source>脚本类型不对，无法加载。</source>
        <translation>The script type is wrong; it cannot be loaded.</translation>
    </message>
    <message>
        <source>要求类型: </source>
        <translation>Required type: </translation>
    </message>
    <message>
        <source>, 当前类型: </source>
        <translation>, actual type: </translation>
    </message>
</context>
<context>
    <name>TabViewMenu</name>
    <message>
        <source>载入...</source>
        <translation>Load...</translation>
    </message>
    <message>
        <source>当前标签另存为...</source>
        <translation>Save current tab as...</translation>
    </message>
    <message>
        <source>本窗口另存为...</source>
        <translation>Save this window as...</translation>
    </message>
    <message>
        <source>将本窗口内的所有标签保存为1个文件</source>
        <translation>Save all tabs of this window to one file</translation>
    </message>
    <message>
        <source>当前标签移到新窗口</source>
        <translation>Move current tab to a new window</translation>
    </message>
    <message>
        <source>当前标签移回主窗口</source>
        <translation>Move current tab back to the main window</translation>
    </message>
</context>
<context>
    <name>TextBuffer</name>
    <message>
        <source>Ansi转义码: </source>
        <translation>ANSI escape code: </translation>
    </message>
</context>
<context>
    <name>ThemeDetailPanel</name>
    <message>
        <source>主体配色</source>
        <translation>Main colours</translation>
    </message>
    <message>
        <source>背景颜色</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>实体对象颜色</source>
        <translation>Solid objects</translation>
    </message>
    <message>
        <source>主标题颜色</source>
        <translation>Main title</translation>
    </message>
    <message>
        <source>功能栏颜色</source>
        <translation>Function bar</translation>
    </message>
    <message>
        <source>普通字色</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>功能栏字色</source>
        <translation>Function bar text</translation>
    </message>
    <message>
        <source>注解字色</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>分割线颜色</source>
        <translation>Split lines</translation>
    </message>
    <message>
        <source>主分割线颜色</source>
        <translation>Main split lines</translation>
    </message>
    <message>
        <source>图标配色</source>
        <translation>Icon colours</translation>
    </message>
    <message>
        <source>图标1颜色</source>
        <translation>Icon 1</translation>
    </message>
    <message>
        <source>图标2颜色</source>
        <translation>Icon 2</translation>
    </message>
    <message>
        <source>图标3颜色</source>
        <translation>Icon 3</translation>
    </message>
    <message>
        <source>图标1颜色-已选中</source>
        <translation>Icon 1 - selected</translation>
    </message>
    <message>
        <source>图标2颜色-已选中</source>
        <translation>Icon 2 - selected</translation>
    </message>
    <message>
        <source>图标3颜色-已选中</source>
        <translation>Icon 3 - selected</translation>
    </message>
    <message>
        <source>杂项配色</source>
        <translation>Other colours</translation>
    </message>
    <message>
        <source>友好颜色</source>
        <translation>Friendly</translation>
    </message>
    <message>
        <source>警告颜色</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>开关灯颜色</source>
        <translation>Indicator lights</translation>
    </message>
    <message>
        <source>缓冲控制区配色</source>
        <translation>Buffer control colours</translation>
    </message>
    <message>
        <source>色条颜色1</source>
        <translation>Colour bar 1</translation>
    </message>
    <message>
        <source>色条颜色2</source>
        <translation>Colour bar 2</translation>
    </message>
    <message>
        <source>色条颜色3</source>
        <translation>Colour bar 3</translation>
    </message>
    <message>
        <source>色条颜色4</source>
        <translation>Colour bar 4</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>文本区Ansi转义码</source>
        <translation>Terminal ANSI styles</translation>
    </message>
    <message>
        <source>选择颜色</source>
        <translation>Choose a colour</translation>
    </message>
</context>
<context>
    <name>ThemeFuncs</name>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>无法载入皮肤文件: </source>
        <translation>Cannot load the skin file: </translation>
    </message>
    <message>
        <source>皮肤保存失败: </source>
        <translation>Saving the skin failed: </translation>
    </message>
    <message>
        <source>皮肤已保存至以下路径: </source>
        <translation>Skin saved to: </translation>
    </message>
    <message>
        <source>安装在plugins/themes的主题不能被删除, </source>
        <translation>Themes installed in plugins/themes cannot be deleted, </translation>
    </message>
    <message>
        <source>删除皮肤文件</source>
        <translation>Delete the skin file</translation>
    </message>
    <message>
        <source>您确定要这么做吗？</source>
        <translation>are you sure?</translation>
    </message>
</context>
<context>
    <name>ThemePanel</name>
    <message>
        <source>系统</source>
        <translation>System</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>更多...</source>
        <translation>More...</translation>
    </message>
    <message>
        <source>载入一个皮肤文件</source>
        <translation>Load a skin file</translation>
    </message>
    <message>
        <source>载入皮肤</source>
        <translation>Load skin</translation>
    </message>
    <message>
        <source>另存为...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>皮肤另存为</source>
        <translation>Save skin as</translation>
    </message>
    <message>
        <source>克隆</source>
        <translation>Clone</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>TxRxZone</name>
    <message>
        <source>时间戳</source>
        <translation>Time stamps</translation>
    </message>
    <message>
        <source>显示接收数据</source>
        <translation>Show received data</translation>
    </message>
    <message>
        <source>显示已发送数据</source>
        <translation>Show sent data</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>文本设置</source>
        <translation>Text settings</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>编码设置</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <source>文本区设置</source>
        <translation>Text area settings</translation>
    </message>
    <message>
        <source>清空文本区</source>
        <translation>Clear text area</translation>
    </message>
    <message>
        <source>显示方式</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>字符串</source>
        <translation>String</translation>
    </message>
    <message>
        <source>RX设置</source>
        <translation>RX settings</translation>
    </message>
    <message>
        <source>采样数据包</source>
        <translation>Sample packets</translation>
    </message>
    <message>
        <source>图片数据包</source>
        <translation>Picture packets</translation>
    </message>
    <message>
        <source>超时时间(ms):</source>
        <translation>Timeout (ms):</translation>
    </message>
    <message>
        <source>文本区Ansi转义样式</source>
        <translation>ANSI styles of the text area</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>不支持此编码: </source>
        <translation>Unknown encoding: </translation>
    </message>
    <message>
        <source>增加编码</source>
        <translation>Add encoding</translation>
    </message>
    <message>
        <source>重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>无追加</source>
        <translation>No ending</translation>
    </message>
    <message>
        <source>连续发送</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>发送后延时(ms): </source>
        <translation>Delay after sending (ms): </translation>
    </message>
    <message>
        <source>重复次数: </source>
        <translation>Repeat count: </translation>
    </message>
    <message>
        <source>输入负数，表示无限次数</source>
        <translation>A negative number means without end</translation>
    </message>
    <message>
        <source>发送文件</source>
        <translation>Send file</translation>
    </message>
    <message>
        <source>发送记录</source>
        <translation>Send history</translation>
    </message>
    <message>
        <source>清空输入框</source>
        <translation>Clear input</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Choose file</translation>
    </message>
    <message>
        <source>发送中: </source>
        <translation>Sending: </translation>
    </message>
    <message>
        <source>停止发送</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>发送消息</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>按Enter发送</source>
        <translation>Enter sends</translation>
    </message>
    <message>
        <source>按Ctrl+Enter发送</source>
        <translation>Ctrl+Enter sends</translation>
    </message>
    <message>
        <source>无记录</source>
        <translation>No history</translation>
    </message>
    <message>
        <source>无法发送文件: </source>
        <translation>Cannot send the file: </translation>
    </message>
</context>
<context>
    <name>ValueKnob</name>
    <message>
        <source>旋钮</source>
        <translation>Knob</translation>
    </message>
</context>
<context>
    <name>ValueMenu</name>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>显示数值</source>
        <translation>Show value</translation>
    </message>
    <message>
        <source>字体缩放:</source>
        <translation>Font scale:</translation>
    </message>
    <message>
        <source>保留小数点后位数:</source>
        <translation>Decimals:</translation>
    </message>
    <message>
        <source>自定义颜色</source>
        <translation>Custom colour</translation>
    </message>
</context>
<context>
    <name>ValueSlider</name>
    <message>
        <source>滑块</source>
        <translation>Slider</translation>
    </message>
</context>
<context>
    <name>WaveChart</name>
    <message>
        <source>波形图</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>条形图</source>
        <translation>Bars</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>频域图</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>当前绘图模式: </source>
        <translation>Drawing mode: </translation>
    </message>
    <message>
        <source>显示最新数据</source>
        <translation>Show the newest data</translation>
    </message>
    <message>
        <source>此处可设置直方统计范围的最小值</source>
        <translation>Lowest value counted by the histogram</translation>
    </message>
    <message>
        <source>此处可设置直方统计范围的最大值</source>
        <translation>Highest value counted by the histogram</translation>
    </message>
    <message>
        <source>缓冲区可容纳的最远时间点</source>
        <translation>Oldest time the buffer holds</translation>
    </message>
    <message>
        <source>离当前最近时间点</source>
        <translation>Newest time</translation>
    </message>
    <message>
        <source>量程范围内最小频率</source>
        <translation>Lowest frequency in range</translation>
    </message>
    <message>
        <source>量程范围内最大频率</source>
        <translation>Highest frequency in range</translation>
    </message>
</context>
<context>
    <name>WaveSettingsPanel</name>
    <message>
        <source>数据</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>在波形图上使用鼠标操作来调整增益和偏置</source>
        <translation>Adjust gain and offset with the mouse on the chart</translation>
    </message>
    <message>
        <source>全局小数位数</source>
        <translation>Global decimals</translation>
    </message>
    <message>
        <source>数据名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Y偏移</source>
        <translation>Y offset</translation>
    </message>
    <message>
        <source>X偏移</source>
        <translation>X offset</translation>
    </message>
    <message>
        <source>小数位数</source>
        <translation>Decimals</translation>
    </message>
    <message>
        <source>跟随全局</source>
        <translation>Follow global</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>重置</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>WaveView</name>
    <message>
        <source>先打开接口哦</source>
        <translation>Open the link first</translation>
    </message>
    <message>
        <source>请拖入标签页</source>
        <translation>Drop it into a tab</translation>
    </message>
    <message>
        <source>左侧面板</source>
        <translation>Left panel</translation>
    </message>
    <message>
        <source>标签页</source>
        <translation>Tabs</translation>
    </message>
    <message>
        <source>数据区与终端</source>
        <translation>Data bar and terminal</translation>
    </message>
    <message>
        <source>设置面板</source>
        <translation>Settings panel</translation>
    </message>
</context>
<context>
    <name>WidgetBody</name>
    <message>
        <source>控件文档未能加载</source>
        <translation>The widget document could not be loaded</translation>
    </message>
    <message>
        <source>控件创建失败</source>
        <translation>The widget could not be created</translation>
    </message>
    <message>
        <source>控件文档的根元素不是Item，无法显示。</source>
        <translation>The root of the widget document is not an Item; it cannot be shown.</translation>
    </message>
    <message>
        <source>控件无法恢复保存的状态: </source>
        <translation>The widget could not restore its saved state: </translation>
    </message>
    <message>
        <source>控件无法显示</source>
        <translation>the widget cannot be shown</translation>
    </message>
</context>
<context>
    <name>WidgetRectangle</name>
    <message>
        <source>更多操作</source>
        <translation>More</translation>
    </message>
    <message>
        <source>置于顶层</source>
        <translation>Bring to front</translation>
    </message>
</context>
<context>
    <name>WidgetWindow</name>
    <message>
        <source>控件窗口</source>
        <translation>Widget window</translation>
    </message>
</context>
<context>
    <name>WidgetWindows</name>
    <message>
        <source>控件窗口数量已达上限: </source>
        <translation>Widget windows are at their limit: </translation>
    </message>
    <message>
        <source>此窗口内的标签及控件会被关闭，</source>
        <translation>The tabs and widgets of this window will be closed,</translation>
    </message>
    <message>
        <source>您确定要这么做吗？</source>
        <translation>are you sure?</translation>
    </message>
    <message>
        <source>此窗口的标签数量已达上限: </source>
        <translation>This window&apos;s tabs are at their limit: </translation>
    </message>
    <message>
        <source>保存失败: </source>
        <translation>Saving failed: </translation>
    </message>
    <message>
        <source>当前没有控件</source>
        <translation>There is no widget at present</translation>
    </message>
    <message>
        <source>当前标签另存为...</source>
        <translation>Save current tab as...</translation>
    </message>
    <message>
        <source>标签页已保存至以下路径:</source>
        <translation>The tab was saved to:</translation>
    </message>
    <message>
        <source>本窗口另存为...</source>
        <translation>Save this window as...</translation>
    </message>
    <message>
        <source>本窗口已保存至以下路径:</source>
        <translation>This window was saved to:</translation>
    </message>
    <message>
        <source>保存控件窗口及标签</source>
        <translation>Save widget windows and tabs</translation>
    </message>
    <message>
        <source>所有控件窗口及标签已保存至以下文件:</source>
        <translation>All widget windows and tabs were saved to the following file:</translation>
    </message>
    <message>
        <source>载入...</source>
        <translation>Load...</translation>
    </message>
    <message>
        <source>载入控件窗口及标签</source>
        <translation>Load widget windows and tabs</translation>
    </message>
    <message>
        <source>文件不存在或为空，没有可载入的内容。</source>
        <translation>The file does not exist or is empty; there is nothing to load.</translation>
    </message>
    <message>
        <source>是一个标签配置文件，</source>
        <translation>is a tab configuration file,</translation>
    </message>
    <message>
        <source>即将在当前窗口加入新标签，</source>
        <translation>a new tab will be added to this window,</translation>
    </message>
    <message>
        <source>是否继续?</source>
        <translation>continue?</translation>
    </message>
    <message>
        <source>是一个窗口配置文件，即将把文件内记录的标签，</source>
        <translation>is a window configuration file; the tabs in the file</translation>
    </message>
    <message>
        <source>载入此空白窗口，</source>
        <translation>will be loaded into this empty window,</translation>
    </message>
    <message>
        <source>是一个窗口配置文件，即将打开一个新窗口，</source>
        <translation>is a window configuration file; a new window will be opened</translation>
    </message>
    <message>
        <source>把文件内记录的标签载入，</source>
        <translation>and the tabs in the file will be loaded into it,</translation>
    </message>
    <message>
        <source>是一个记录所有控件窗口及标签的配置文件，</source>
        <translation>is a configuration file of all widget windows and tabs;</translation>
    </message>
    <message>
        <source>载入前会先关闭软件现有的所有控件窗口及标签，</source>
        <translation>all current widget windows and tabs will be closed before loading,</translation>
    </message>
    <message>
        <source>文件内没有可载入的标签。</source>
        <translation>The file holds no tab that can be loaded.</translation>
    </message>
</context>
<context>
    <name>WidgetsPanel</name>
    <message>
        <source>波形图</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>拖入标签页以添加控件</source>
        <translation>Drag into a tab to add the widget</translation>
    </message>
</context>
<context>
    <name>WindowTitleBar</name>
    <message>
        <source>置顶</source>
        <translation>Keep on top</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximise</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ZoneMenu</name>
    <message>
        <source>警告区间</source>
        <translation>Warning zones</translation>
    </message>
    <message>
        <source>显示警告区间</source>
        <translation>Show warning zones</translation>
    </message>
    <message>
        <source>低于:</source>
        <translation>Below:</translation>
    </message>
    <message>
        <source>高于:</source>
        <translation>Above:</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>保存数据</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>载入数据</source>
        <translation>Load data</translation>
    </message>
    <message>
        <source>是一个数据文件，</source>
        <translation>is a data file, </translation>
    </message>
    <message>
        <source>载入前将清空现有数据，</source>
        <translation>the present data is cleared before loading, </translation>
    </message>
    <message>
        <source>是否继续?</source>
        <translation>continue?</translation>
    </message>
    <message>
        <source>是否允许打开浏览器，访问以下网址？</source>
        <translation>Allow the browser to open the following address?</translation>
    </message>
    <message>
        <source>截图</source>
        <translation>Screenshot</translation>
    </message>
    <message>
        <source>截图已保存至以下路径:</source>
        <translation>The screenshot was saved to:</translation>
    </message>
    <message>
        <source>截图保存失败:</source>
        <translation>The screenshot could not be saved:</translation>
    </message>
    <message>
        <source>菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>软件信息</source>
        <translation>About</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documentation</translation>
    </message>
    <message>
        <source>插件下载</source>
        <translation>Plug-in downloads</translation>
    </message>
    <message>
        <source>已忽略状态文件: </source>
        <translation>State file ignored: </translation>
    </message>
    <message>
        <source>状态文件保存失败: </source>
        <translation>Could not save the state file: </translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>皮肤</source>
        <translation>Skin</translation>
    </message>
    <message>
        <source>常用设置</source>
        <translation>General settings</translation>
    </message>
    <message>
        <source>分离窗格</source>
        <translation>Detach panes</translation>
    </message>
</context>
</TS>
